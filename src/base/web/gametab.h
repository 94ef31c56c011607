#pragma once

#include <QString>

// A game tab as it can be opened again: by its game's host, and by the
// server it plays when it plays one, as the main account or as one of its
// small accounts. Never holds a password, a digest or a token.
struct GameTab
{
    // "web": a web game's server list; "play": a server being played;
    // "h5": an H5 game.
    QString kind;
    QString host;
    QString serverId;
    // The game's name as the tab showed it; only a label.
    QString game;
    // The user name of the account that plays.
    QString account;
    bool mainAccount = false;
    // Shown in the split view with the other games of the split.
    bool inSplit = false;

    static constexpr int maxTextLength = 64;

    // Every field within its form: a known kind, a word host (or none for a
    // server played), a decimal
    // server id where the kind needs one (and none elsewhere), an account
    // name and a label without control characters.
    bool isValid() const;
    bool operator==(const GameTab &other) const;

    static bool isHostWord(const QString &text);
    static bool isServerId(const QString &text);
    // Non-empty, at most maxTextLength characters, no control characters.
    static bool isPlainText(const QString &text);
};
