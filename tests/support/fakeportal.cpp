#include "fakeportal.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QTimer>

QDBusArgument &operator<<(QDBusArgument &argument, const FakePortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, FakePortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

namespace {
// A session of the portal: Close is all a client calls on it.
class FakeSession : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Session")
public:
    FakeSession(FakeGlobalShortcuts *portal, const QString &path)
        : QObject(portal)
        , m_portal(portal)
        , m_path(path)
    {
    }

public slots:
    void Close() { m_portal->closeSession(m_path); }

private:
    FakeGlobalShortcuts *m_portal;
    QString m_path;
};
}

FakeGlobalShortcuts *FakeGlobalShortcuts::serve()
{
    qDBusRegisterMetaType<FakePortalShortcut>();
    qDBusRegisterMetaType<QList<FakePortalShortcut>>();
    auto *portal = new FakeGlobalShortcuts;
    portal->setObjectName(QStringLiteral("fakeGlobalShortcuts"));
    QDBusConnection bus = QDBusConnection::sessionBus();
    const bool served = bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), portal,
                                           QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals
                                               | QDBusConnection::ExportAllProperties)
        && bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
    if (served)
        return portal;
    delete portal;
    return nullptr;
}

QDBusObjectPath FakeGlobalShortcuts::CreateSession(const QVariantMap &options)
{
    const QString sender = message().service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    session = QStringLiteral("/org/freedesktop/portal/desktop/session/%1/%2")
                  .arg(sender, options.value(QStringLiteral("session_handle_token")).toString());
    QDBusConnection::sessionBus().registerObject(session, new FakeSession(this, session),
                                                 QDBusConnection::ExportAllSlots);
    return respondLater(options, 0, {{QStringLiteral("session_handle"), session}}, QStringLiteral("CreateSession"));
}

QDBusObjectPath FakeGlobalShortcuts::BindShortcuts(const QDBusObjectPath &sessionPath,
                                                   const QList<FakePortalShortcut> &shortcuts, const QString &,
                                                   const QVariantMap &options)
{
    QString record = QStringLiteral("BindShortcuts");
    for (const FakePortalShortcut &shortcut : shortcuts)
        record += QLatin1Char(' ') + shortcut.properties.value(QStringLiteral("preferred_trigger")).toString();
    if (sessionPath.path() != session)
        record += QStringLiteral(" in an unknown session");
    return respondLater(options, refuse ? 1 : 0, {}, record);
}

void FakeGlobalShortcuts::closeSession(const QString &path)
{
    calls << QStringLiteral("Close");
    QDBusConnection::sessionBus().unregisterObject(path);
    if (path == session)
        session.clear();
}

// The answer follows the call's reply, as a portal's does after its dialog;
// the call is recorded once the answer is out.
QDBusObjectPath FakeGlobalShortcuts::respondLater(const QVariantMap &options, uint code, const QVariantMap &results,
                                                  const QString &record)
{
    const QString sender = message().service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString request = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                                .arg(sender, options.value(QStringLiteral("handle_token")).toString());
    QTimer::singleShot(0, this, [this, request, code, results, record] {
        QDBusMessage response = QDBusMessage::createSignal(request, QStringLiteral("org.freedesktop.portal.Request"),
                                                           QStringLiteral("Response"));
        response << code << results;
        QDBusConnection::sessionBus().send(response);
        calls << record;
    });
    return QDBusObjectPath(request);
}

#include "fakeportal.moc"
