#pragma once

#include "web/gametab.h"
#include "net/identity.h"

#include <QList>
#include <QObject>

class LoginService;
class Sqlite;
class TabWidget;
class WebView;

// Opens game tabs again as the accounts that played them: the main account's
// in the main profile, a small account's, after a fresh login with its stored
// digest, in that account's own profile. Games are opened one after the
// other; an account that is neither the logged-in main account nor one of its
// small accounts stored here opens nothing and is reported.
class GameOpener : public QObject
{
    Q_OBJECT
public:
    GameOpener(TabWidget *tabs, Sqlite *store, QObject *parent = nullptr);

    // Queued behind the games still being opened.
    void open(const QList<GameTab> &games);
    bool isBusy() const { return !m_queue.isEmpty() || m_waiting; }

    // The game of a tab (in the strip or the split) as it can be opened again; invalid for the
    // home tab and for pages that are no game.
    static GameTab gameOf(const TabWidget *tabs, QWidget *tab);
    static QList<GameTab> openGames(const TabWidget *tabs);
    // Opens the game for the player of the tab manager's current context.
    static WebView *openTab(TabWidget *tabs, const GameTab &game, const Identity &player);

signals:
    void signalFailed(QString message);

private:
    void openNext();
    // Empty when the account may play here.
    QString refusalFor(const GameTab &game, const Identity &main) const;
    static WebView *createTab(TabWidget *tabs, const GameTab &game, const Identity &player);
    void handlerLoggedIn(const Identity &who);
    void handlerLoginFailed(const QString &message);

    TabWidget *m_tabs;
    Sqlite *m_store;
    LoginService *m_login;
    QList<GameTab> m_queue;
    GameTab m_current;
    // The main account whose small account is logging in.
    QString m_mainId;
    bool m_waiting = false;
};
