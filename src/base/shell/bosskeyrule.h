#pragma once

#include <QKeySequence>
#include <QString>

// How the boss key reaches the client on this desktop, and what the settings
// dialog says about it. An X server lets the client grab the key for the whole
// screen; elsewhere the desktop's global shortcuts portal may bind it; where
// neither is there the key works only while the window has focus, and the user
// can bind "KorvoClient --toggle" in the desktop's own keyboard settings.
class BossKeyRule
{
public:
    enum class Way { Off, X11Grab, Portal, WindowOnly, Unusable };
    // Why a global key did not come about although the way allowed it.
    enum class Failure { None, Taken, NotOnKeyboard, Refused };

    // One key with Ctrl, Alt or Meta ("Alt+Q", "alt + q", "Ctrl+Shift+F9"),
    // or a function key alone; empty for any text that cannot be a boss key.
    static QKeySequence parse(const QString &text);
    // platform: the Qt platform name ("xcb", "wayland", ...).
    static Way decide(bool enabled, const QString &platform, bool portalAvailable, const QString &keyText);
    static QString label(Way way, Failure failure);
    // The window's own key: Alt+Q as always, and the chord of the key text.
    static bool isLocalKey(const QString &keyText, int key, Qt::KeyboardModifiers modifiers);
    // The portal's preferred trigger for a chord, such as "CTRL+ALT+q".
    static QString portalTrigger(const QKeySequence &chord);
};
