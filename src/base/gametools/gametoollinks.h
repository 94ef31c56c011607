#pragma once

#include <QString>
#include <QUrl>

// Where the buttons of the game toolbars lead and the portal calls they make.
// Values that come from pages (hosts, ids) are percent-encoded into the
// addresses, so that a stray "&" or "/" cannot add a parameter or a path.
class GameToolLinks
{
public:
    // The page a link button opens at once; empty for buttons that need the
    // game's id first and for names that are no link button.
    static QString pageFor(const QString &buttonName);
    // First pay and gift of the web-game bar: their page names the game by id.
    static bool needsGameId(const QString &buttonName);
    // The page of such a button for a game id; empty for other buttons or no id.
    static QString pageForGame(const QString &buttonName, const QString &gameId);

    // The game_list call that finds a game's id by its host.
    static QUrl gameListUrl(const QString &host);
    // The user_collection_add call for a server of a game.
    static QUrl collectionUrl(const QString &userId, const QString &host, const QString &serverId);
    // Who collects: the logged-in account on the main profile ("default"),
    // otherwise the small account whose id names the profile.
    static QString collectorId(const QString &profileFlag, const QString &sessionUserId);
};
