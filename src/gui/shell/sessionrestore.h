#pragma once

#include "web/gametab.h"

#include <QList>
#include <QObject>

class GameOpener;
class LoginService;
class StatusBar;
class TabWidget;
struct AppServices;

// The games of the last session: remembered at exit and when the desktop
// session saves, offered in the status bar once a main account has logged
// in, and opened again on one click. Only games of that main account and of
// its small accounts stored here are offered. What a start finds is taken from
// the file: a session that ends without writing leaves nothing to offer.
class SessionRestore : public QObject
{
    Q_OBJECT
public:
    SessionRestore(const AppServices &services, TabWidget *tabs, LoginService *login, StatusBar *bar,
                   GameOpener *opener, QObject *parent = nullptr);

    // What the offer opens for the account logged in now.
    QList<GameTab> offered() const;

public slots:
    // Writes the game tabs open now. With none open, an offer not taken stays for the next start.
    void remember();

    void handlerMainLogin();
    void restoreGames();

private:
    bool isOn() const;

    const AppServices &m_services;
    TabWidget *m_tabs;
    StatusBar *m_bar;
    GameOpener *m_opener;
    QList<GameTab> m_remembered;
};
