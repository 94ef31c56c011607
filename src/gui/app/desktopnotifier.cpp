#include "app/desktopnotifier.h"

#include "app/apppaths.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QUrl>
#include <QWidget>

DesktopNotifier::DesktopNotifier(QWidget *window)
    : QObject(window)
    , m_window(window)
{
}

bool DesktopNotifier::notify(NotifyRule::Event event, const QString &detail)
{
    if (!NotifyRule::shouldNotify(m_window->isVisible(), m_window->isMinimized(), event))
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const NotifyRule::Notice notice = NotifyRule::notice(event, detail);
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QString icon = QUrl::fromLocalFile(AppPaths::iconPath(QStringLiteral("logo.png"))).toString();
    const QVariantMap hints{{QStringLiteral("desktop-entry"), AppPaths::applicationId()}};
    message << QStringLiteral("Korvo游戏盒") << 0u << icon << notice.summary << notice.body << QStringList() << hints
            << -1;
    // No reply is awaited: a missing server answers with an error nobody reads.
    return bus.send(message);
}

void DesktopNotifier::accountSignedOut(int code, const QString &message)
{
    Q_UNUSED(code);
    notify(NotifyRule::Event::SignedOutElsewhere, message);
}

void DesktopNotifier::updateFound()
{
    notify(NotifyRule::Event::UpdateFound);
}

void DesktopNotifier::tabCameBack(const QString &title)
{
    notify(NotifyRule::Event::TabCameBack, title);
}
