#include "shell/windowactivator.h"

#include "app/wakemessage.h"
#include "shell/screenplacement.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QX11Info>

namespace {
// How long a window manager or compositor gets to hand over the keyboard.
constexpr int kActivationGraceMs = 1500;
}

void WindowActivator::bringToFront(QWidget *window, const QByteArray &token)
{
    useToken(token);
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    QTimer::singleShot(kActivationGraceMs, window, [target = QPointer<QWidget>(window)] {
        if (target && target->isVisible() && !target->isActiveWindow())
            QApplication::alert(target);
    });
}

void WindowActivator::useToken(const QByteArray &token)
{
    if (token.isEmpty())
        return;
    if (!ScreenPlacement::clientActivatesWindows(QGuiApplication::platformName())) {
        // The Wayland plugin activates with the token it finds here, on the
        // next activation request; a plugin without activation ignores it.
        qputenv("XDG_ACTIVATION_TOKEN", token);
        return;
    }
    if (!QX11Info::isPlatformX11())
        return;
    // The time of the click that started the second copy: a window manager
    // lets a window take the focus for a user action that recent.
    if (const unsigned long time = WakeMessage::startupTime(token))
        QX11Info::setAppUserTime(time);
    QX11Info::setNextStartupId(token);
}
