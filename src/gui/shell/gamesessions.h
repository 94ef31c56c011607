#pragma once

#include <QObject>

class GameOpener;
class GameTabMenu;
class LoginService;
class QWidget;
class SessionRestore;
class ShortcutLauncher;
class StatusBar;
class TabWidget;
struct AppServices;

// What lets games outlive a session of the main window: the restore offer,
// the desktop shortcuts of the tabs' menu and the shortcut addresses that
// arrive. They share one opener, whose refusals the user is told.
class GameSessions : public QObject
{
    Q_OBJECT
public:
    // The games open in the tabs; the main login brings the offer and the
    // waiting shortcuts; notices go over the window.
    GameSessions(const AppServices &services, TabWidget *tabs, LoginService *login, StatusBar *bar, QWidget *window);

    GameOpener *opener() const { return m_opener; }
    SessionRestore *restore() const { return m_restore; }
    ShortcutLauncher *launcher() const { return m_launcher; }
    GameTabMenu *tabMenu() const { return m_tabMenu; }

    // At exit, while the tabs are still there.
    void remember();

private:
    GameOpener *m_opener;
    SessionRestore *m_restore;
    ShortcutLauncher *m_launcher;
    GameTabMenu *m_tabMenu;
};
