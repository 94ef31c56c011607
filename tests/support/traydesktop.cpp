// A desktop with a tray, for tests: on the session bus it is run on (a
// private one, from dbus-run-session), it registers a StatusNotifier watcher
// and a notification server, then runs the test program given on its command
// line and ends with its exit code. The test reaches it on /TrayDesktop: Click()
// activates the registered tray icon the way a panel does on a click,
// Registered() says whether an icon has registered, and Notifications()
// counts the desktop notifications received, LastNotification() gives the
// last one's application, summary and body. Started as "traydesktop --portal
// PROGRAM", it also serves the global shortcuts portal (fakeportal.h):
// PortalCalls() lists what the client asked of it, Activate() reports the
// shortcut pressed, RefuseBindings(true) makes it turn bindings down.
#include "fakeportal.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QProcess>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

class Watcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return m_items; }
    // Service and path of the last icon registered.
    QString service;
    QString path = QStringLiteral("/StatusNotifierItem");

public slots:
    void RegisterStatusNotifierItem(const QString &item, const QDBusMessage &message)
    {
        // An item names either its service or, from some toolkits, its path.
        if (item.startsWith(QLatin1Char('/'))) {
            service = message.service();
            path = item;
        } else {
            service = item;
        }
        m_items << service;
        emit StatusNotifierItemRegistered(service);
    }
    void RegisterStatusNotifierHost(const QString &) {}

signals:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    QStringList m_items;
};

class Notifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    uint received = 0;
    QStringList last;

public slots:
    uint Notify(const QString &appName, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &, const QVariantMap &, int)
    {
        std::fprintf(stderr, "traydesktop: notification \"%s\": %s\n", qPrintable(summary), qPrintable(body));
        last = QStringList{appName, summary, body};
        return ++received;
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    QString GetServerInformation(QString &vendor, QString &version, QString &specVersion)
    {
        vendor = QStringLiteral("test");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("traydesktop");
    }
    void CloseNotification(uint) {}
};

class Control : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.korvo.test.TrayDesktop")
public:
    Control(Watcher *watcher, Notifications *notifications)
        : m_watcher(watcher)
        , m_notifications(notifications)
    {
    }

public slots:
    // False while no icon has registered.
    bool Click()
    {
        if (m_watcher->service.isEmpty())
            return false;
        QDBusMessage activate = QDBusMessage::createMethodCall(
            m_watcher->service, m_watcher->path, QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Activate"));
        activate << 0 << 0;
        QDBusConnection::sessionBus().callWithCallback(activate, this, SLOT(activated()), SLOT(failed(QDBusError)));
        return true;
    }
    uint Notifications() { return m_notifications->received; }
    QStringList LastNotification() { return m_notifications->last; }
    bool Registered() { return !m_watcher->service.isEmpty(); }
    QStringList PortalCalls() { return portal ? portal->calls : QStringList(); }
    // False while no session is open.
    bool Activate()
    {
        if (!portal || portal->session.isEmpty())
            return false;
        emit portal->Activated(QDBusObjectPath(portal->session), QStringLiteral("bosskey"), 0, QVariantMap());
        return true;
    }
    void RefuseBindings(bool refuse)
    {
        if (portal)
            portal->refuse = refuse;
    }

public:
    FakeGlobalShortcuts *portal = nullptr;

private slots:
    void activated() {}
    void failed(const QDBusError &error)
    {
        std::fprintf(stderr, "traydesktop: the click on %s went nowhere: %s\n", qPrintable(m_watcher->service),
                     qPrintable(error.message()));
    }

private:
    Watcher *m_watcher;
    ::Notifications *m_notifications;
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool withPortal = !arguments.isEmpty() && arguments.first() == QLatin1String("--portal");
    if (withPortal)
        arguments.removeFirst();
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "usage: dbus-run-session -- traydesktop [--portal] PROGRAM [ARGUMENTS]\n");
        return 2;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    Notifications notifications;
    Control control(&watcher, &notifications);
    const auto exported = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties
        | QDBusConnection::ExportAllSignals;
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher, exported)
        || !bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications, exported)
        || !bus.registerObject(QStringLiteral("/TrayDesktop"), &control, exported)
        || !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))
        || !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))
        || !bus.registerService(QStringLiteral("org.korvo.test.TrayDesktop"))) {
        std::fprintf(stderr, "traydesktop: no session bus to serve on: %s\n", qPrintable(bus.lastError().message()));
        return 2;
    }
    if (withPortal && !(control.portal = FakeGlobalShortcuts::serve())) {
        std::fprintf(stderr, "traydesktop: the portal could not be served\n");
        return 2;
    }

    QProcess test;
    test.setProcessChannelMode(QProcess::ForwardedChannels);
    test.setInputChannelMode(QProcess::ForwardedInputChannel);
    QObject::connect(&test, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &app,
                     [&](int code, QProcess::ExitStatus status) { app.exit(status == QProcess::NormalExit ? code : 1); });
    QObject::connect(&test, &QProcess::errorOccurred, &app, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            std::fprintf(stderr, "traydesktop: cannot start %s\n", qPrintable(arguments.first()));
            app.exit(2);
        }
    });
    test.start(arguments.takeFirst(), arguments);
    return app.exec();
}

#include "traydesktop.moc"
