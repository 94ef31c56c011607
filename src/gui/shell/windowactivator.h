#pragma once

#include <QByteArray>

class QWidget;

// Brings a window to the front for a second start, the tray or a desktop
// shortcut. The desktop's token for that start (an X11 startup id, a Wayland
// activation token) is what lets a window manager or compositor that guards
// against focus stealing agree; where it still refuses, the window asks for
// attention instead.
class WindowActivator
{
public:
    static void bringToFront(QWidget *window, const QByteArray &token = QByteArray());

private:
    static void useToken(const QByteArray &token);
};
