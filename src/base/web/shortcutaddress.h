#pragma once

#include "web/gametab.h"

#include <QString>

// The address a desktop shortcut starts the client with, naming a game and
// the account that plays it:
//   korvo://play?account=<user name>&host=<game host>[&server=<server id>][&kind=h5][&token=<token>]
// With a server the game plays that server (the host may then be absent);
// without, its server list opens.
// The address comes from the command line or another copy of the client: a
// wrong scheme, an unknown, missing or repeated field, a field outside its
// form or an overlong text reads as no address. The token, 32 hexadecimal
// digits, is what the client's own shortcuts carry (ShortcutToken).
class ShortcutAddress
{
public:
    static constexpr int maxLength = 1024;

    static QString scheme();
    // Whether the text claims to be an address of ours, valid or not.
    static bool looksLikeAddress(const QString &text);
    static bool parse(const QString &text, GameTab *game, QString *token = nullptr);
    // Empty for a game tab outside its form or a token outside its own.
    static QString build(const GameTab &game, const QString &token = QString());
    static bool isToken(const QString &text);
};
