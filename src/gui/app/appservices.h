#pragma once

#include <QHash>
#include <QString>

class BackgroundTasks;
class DesktopNotifier;
class Session;
class Settings;
class Sqlite;
class WebEngineProfile;

// The objects the whole client shares. The main window makes them in order
// and hands this to the windows, toolbars and dialogs it makes; they keep the
// reference and read a field when they need it, so a field made later (the
// account store comes after the home views have started loading) is seen by
// everyone once it exists. Nobody looks these up through the window tree.
struct AppServices
{
    Settings *settings = nullptr;
    Sqlite *sqlite = nullptr;
    // Who is logged in: the main profile's current cookie jar.
    Session *session = nullptr;
    // The main account's web profile, "default".
    WebEngineProfile *profile = nullptr;
    BackgroundTasks *tasks = nullptr;
    // What happens while the window is hidden, told on the desktop.
    DesktopNotifier *notifier = nullptr;
    // Game id to game host, filled once the portal's map arrives.
    QHash<QString, QString> gameIdHostMap;
    // The applied skin's folder, with its trailing slash; empty for none.
    QString skinDirectory;
};
