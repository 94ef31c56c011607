#pragma once

#include <QString>

// Starting the client with the user's session. On Windows this is the
// "KorvoClient" value under the user's Run key; elsewhere an XDG autostart
// entry in $XDG_CONFIG_HOME/autostart (default ~/.config/autostart).
class AutoStart
{
public:
    static void setEnabled(bool on);
    static bool isEnabled();

    // The command that the entry starts: the executable beside the ini file.
    static QString executablePath();
#ifndef Q_OS_WIN
    static QString desktopEntryPath();
    // The entry's text: the executable beside the ini file, and the installed
    // icon's name or the portable copy's own icon file.
    static QString desktopEntry();
#endif
};
