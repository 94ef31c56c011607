#pragma once

#include <QString>

// What the desktop's notifications tell about things that happen while the
// window is out of sight. A window in view shows them itself.
class NotifyRule
{
public:
    enum class Event { SignedOutElsewhere, UpdateFound, TabCameBack };
    struct Notice
    {
        QString summary;
        QString body;
    };

    static bool shouldNotify(bool visible, bool minimized, Event event);
    // detail: the portal's message for a sign-out, the page's title for a
    // tab; both come from outside and are shown as plain, short text.
    static Notice notice(Event event, const QString &detail);
};
