#pragma once

#include <QIcon>
#include <QString>

// What the desktop knows the client by: the name of its installed desktop
// entry, so that the task bar and the tray group its windows under that
// entry's icon and name; the window class; the name shown after every window
// title of its own (the dialogs', the notice boxes'); and the icon of every
// window that sets none (the dialogs, the notice boxes).
class AppIdentity
{
public:
    static QString displayName();   // "Korvo游戏盒"
    // The icon of the installed icon theme, else the client's own files.
    static QIcon icon();
    // Sets all of the above on the running application.
    static void apply();
};
