#pragma once

#include <QList>
#include <QRect>
#include <QString>

// Where windows may go: whether the client can place its windows at all on a
// windowing system, and a remembered window geometry brought back onto the
// screens that exist now. No window needed.
class ScreenPlacement
{
public:
    // Wayland keeps window positions to the compositor; X11 and the others let the client choose.
    static bool clientPlacesWindows(const QString &platformName);
    // Whether the client may hand the keyboard to one of its windows itself;
    // Wayland only activates on a token from the compositor.
    static bool clientActivatesWindows(const QString &platformName);
    // A geometry moved (and, where it is larger than every screen, shrunk) so
    // that it lies on a screen: the one it overlaps most, else the first. An
    // empty list of screens leaves it as it is.
    static QRect keptOnScreens(const QRect &geometry, const QList<QRect> &screens);
};
