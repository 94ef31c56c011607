#pragma once

#include "net/identity.h"

#include <QString>
#include <QVariantMap>

// Who plays in a tab, in which web profile, which game and which server: made
// where a tab is opened, kept by the tab's container and brought back by a
// click on the tab. Routing and the toolbars read it; nothing else carries it.
struct TabContext
{
    enum Kind { Home, Web, WebGame, H5Game, GamePlay };

    Kind kind = Web;
    // The small account that plays; empty for the main account, whose
    // identity is the session's at the moment it is needed.
    Identity player;
    // The name of the account that plays: the prefix of the tab's title.
    QString userName;
    // "default" for the main account, otherwise the small account's user id.
    QString profileFlag = mainProfileFlag();
    // The game's host word ("" while a server's game is not known yet).
    QString host;
    // "web" or "h5" for game tabs, else empty.
    QString gameType;
    // The server a game-play tab plays.
    QString serverId;
    // An H5 game page plays a server in the tab.
    bool isH5Play = false;

    static QString mainProfileFlag() { return QStringLiteral("default"); }
    bool isMainAccount() const { return profileFlag == mainProfileFlag(); }
    // A game plays in the tab: a server, or an H5 game's own page.
    bool isPlaying() const { return !serverId.isEmpty() || isH5Play; }
    // A tab of that kind that plays no game, for the same account.
    TabContext withoutGame(Kind pageKind) const;
    // The same tab context for the main account.
    TabContext asMainAccount(const QString &mainName) const;
    // The same tab context for a small account that has just logged in.
    TabContext asSmallAccount(const Identity &who) const;
    // The dynamic properties of the tab's container, by their published names
    // ("host", "gameType", "userName", "myProfileFlag", "serverId", "isH5Play").
    QVariantMap properties() const;
};
