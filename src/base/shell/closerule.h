#pragma once

class QVariant;

// What the title bar's close button does, from the "common/exittype" setting
// and whether the desktop shows a tray right now. A desktop without one (a
// plain Wayland session, a bare window manager) has nowhere to bring a hidden
// window back from, so "tray" minimizes there instead of hiding.
class CloseRule
{
public:
    enum class Action { Ask, Quit, HideToTray, Minimize };

    // exitType is the setting as stored: absent (null) until the user decides.
    static Action decide(const QVariant &exitType, bool trayAvailable);
};
