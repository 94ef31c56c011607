#pragma once

#include <QByteArray>
#include <QString>

// How the game toolbars read the portal's answers to their calls, and what
// they tell the user. Nothing here trusts a reply: any body maps to a result.
class GameToolReplies
{
public:
    // A game_list reply: the id of the game it names, or the notice it calls
    // for. Both empty: the reply names no game and nothing is said.
    struct GameLookup
    {
        QString gameId;
        QString notice;
    };

    // What the user reads when a call fails (network error, deadline, unreadable reply).
    static QString networkTrouble();
    // The notice for a user_collection_add reply; unknown words are a system error.
    static QString collectionMessage(const QByteArray &body);
    static GameLookup readGameList(const QByteArray &body);
};
