#pragma once

#include <QString>

class Settings;

// The secret the client's own desktop shortcuts carry in their address. An
// address that arrives with it was written by this client for this user, so
// it opens without a question; any other, from a web page or another
// program, waits for the user's yes. Kept in the user's private settings.
class ShortcutToken
{
public:
    static QString key();
    // The token, made on first use.
    static QString of(Settings *settings);
    // Whether the text is the kept token; never when none was made.
    static bool matches(const Settings *settings, const QString &text);
};
