#pragma once

// What a page may use of the machine when it asks. Everything is refused
// except locking the mouse pointer, which games of the portal and its H5 host
// need; no page of any other site gets it, and nothing else is granted.
class SitePermissions
{
public:
    enum Feature { Position, Notifications, Microphone, Camera, Screen, MouseLock, Other };

    static bool grants(Feature feature, bool ownOrigin);
};
