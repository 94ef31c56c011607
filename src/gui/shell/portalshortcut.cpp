#include "shell/portalshortcut.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <unistd.h>

namespace {
const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kShortcutId = QStringLiteral("bosskey");

// One element of BindShortcuts' a(sa{sv}).
struct PortalShortcutEntry
{
    QString id;
    QVariantMap properties;
};
}

Q_DECLARE_METATYPE(PortalShortcutEntry)

namespace {
QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcutEntry &entry)
{
    argument.beginStructure();
    argument << entry.id << entry.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcutEntry &entry)
{
    argument.beginStructure();
    argument >> entry.id >> entry.properties;
    argument.endStructure();
    return argument;
}

QDBusConnection bus()
{
    return QDBusConnection::sessionBus();
}

// The path part the portal derives from this connection's unique name.
QString senderPart()
{
    return bus().baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
}

QString objectPath(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.userType() == QMetaType::QString ? value.toString() : QString();
}
}

PortalShortcut::PortalShortcut(QObject *parent)
    : QObject(parent)
{
    qDBusRegisterMetaType<PortalShortcutEntry>();
    qDBusRegisterMetaType<QList<PortalShortcutEntry>>();
    bus().connect(kService, kPath, kInterface, QStringLiteral("Activated"), this,
                  SLOT(handleActivated(QDBusMessage)));
}

PortalShortcut::~PortalShortcut()
{
    unbind();
}

void PortalShortcut::probe()
{
    if (!bus().isConnected()) {
        QMetaObject::invokeMethod(this, [this] { emit availabilityKnown(false); }, Qt::QueuedConnection);
        return;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << kInterface << QStringLiteral("version");
    auto *watcher = new QDBusPendingCallWatcher(bus().asyncCall(get), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *done) {
        done->deleteLater();
        emit availabilityKnown(!done->isError());
    });
}

void PortalShortcut::bind(const QString &trigger)
{
    unbind();
    m_trigger = trigger;
    m_step = Step::CreatingSession;
    const QString token = nextToken();
    QVariantMap options{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("session_handle_token"), QStringLiteral("korvo_session_%1").arg(m_tokens)}};
    call(QStringLiteral("CreateSession"), {options}, token);
}

void PortalShortcut::unbind()
{
    watchRequest(m_request, false);
    m_request.clear();
    if (!m_session.isEmpty() && bus().isConnected()) {
        bus().asyncCall(QDBusMessage::createMethodCall(kService, m_session, QStringLiteral("org.freedesktop.portal.Session"),
                                                       QStringLiteral("Close")));
    }
    m_session.clear();
    m_step = Step::Idle;
}

QString PortalShortcut::nextToken()
{
    return QStringLiteral("korvo%1_%2").arg(::getpid()).arg(++m_tokens);
}

// The answer comes as a Response signal on the request's path, which is
// watched before the call so that a quick answer is not missed.
void PortalShortcut::call(const QString &method, const QList<QVariant> &arguments, const QString &token)
{
    if (!bus().isConnected()) {
        QMetaObject::invokeMethod(this, &PortalShortcut::fail, Qt::QueuedConnection);
        return;
    }
    m_request = kPath + QStringLiteral("/request/") + senderPart() + QLatin1Char('/') + token;
    watchRequest(m_request, true);
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    message.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(bus().asyncCall(message), this);
    const Step step = m_step;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, step](QDBusPendingCallWatcher *done) {
        done->deleteLater();
        if (m_step != step)
            return;
        const QDBusPendingReply<QDBusObjectPath> reply = *done;
        if (reply.isError()) {
            fail();
            return;
        }
        // An older portal ignores the token and names another path.
        const QString path = reply.value().path();
        if (path != m_request) {
            watchRequest(m_request, false);
            m_request = path;
            watchRequest(m_request, true);
        }
    });
}

void PortalShortcut::watchRequest(const QString &path, bool watch)
{
    if (path.isEmpty())
        return;
    if (watch)
        bus().connect(kService, path, kRequestInterface, QStringLiteral("Response"), this,
                      SLOT(handleResponse(QDBusMessage)));
    else
        bus().disconnect(kService, path, kRequestInterface, QStringLiteral("Response"), this,
                         SLOT(handleResponse(QDBusMessage)));
}

void PortalShortcut::handleResponse(const QDBusMessage &message)
{
    if (message.path() != m_request)
        return;
    watchRequest(m_request, false);
    m_request.clear();
    const QList<QVariant> arguments = message.arguments();
    const bool success = arguments.size() >= 2 && arguments.at(0).userType() == QMetaType::UInt
        && arguments.at(0).toUInt() == 0;
    if (!success) {
        fail();
        return;
    }
    if (m_step == Step::CreatingSession) {
        const QVariantMap results = qdbus_cast<QVariantMap>(arguments.at(1));
        const QString session = objectPath(results.value(QStringLiteral("session_handle")));
        if (session.startsWith(QLatin1Char('/')))
            bindInSession(session);
        else
            fail();
    } else if (m_step == Step::Binding) {
        m_step = Step::Bound;
        emit bound(true);
    }
}

void PortalShortcut::bindInSession(const QString &session)
{
    m_session = session;
    m_step = Step::Binding;
    const PortalShortcutEntry entry{kShortcutId,
                                    {{QStringLiteral("description"), QStringLiteral("显示或隐藏Korvo游戏盒窗口")},
                                     {QStringLiteral("preferred_trigger"), m_trigger}}};
    const QString token = nextToken();
    call(QStringLiteral("BindShortcuts"),
         {QVariant::fromValue(QDBusObjectPath(session)), QVariant::fromValue(QList<PortalShortcutEntry>{entry}),
          QString(), QVariantMap{{QStringLiteral("handle_token"), token}}},
         token);
}

void PortalShortcut::fail()
{
    if (m_step == Step::Idle)
        return;
    unbind();
    emit bound(false);
}

void PortalShortcut::handleActivated(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (m_step != Step::Bound || arguments.size() < 2)
        return;
    if (objectPath(arguments.at(0)) == m_session && arguments.at(1).toString() == kShortcutId)
        emit activated();
}
