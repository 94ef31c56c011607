#pragma once

#include "web/gametab.h"

#include <QString>

// A desktop entry that starts the client with the shortcut address of one
// game as one account, written into the user's desktop folder.
class DesktopShortcut
{
public:
    // The entry's text; the program path and the address, with the token
    // that lets it open without a question, quoted as an Exec key needs them.
    static QString entryText(const GameTab &game, const QString &program, const QString &token = QString());
    // One file per account and game, so a second shortcut replaces the first.
    static QString fileName(const GameTab &game);
    // The path written; empty, with the reason in error, when it could not be.
    static QString write(const QString &folder, const GameTab &game, const QString &program, QString *error,
                         const QString &token = QString());

    // An argument of an Exec key: quoted, with the characters that need it escaped.
    static QString execArgument(const QString &text);
};
