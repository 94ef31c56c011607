#pragma once

#include "web/gametab.h"

#include <QByteArray>
#include <QList>

class Settings;

// The game tabs that were open at the last exit, kept in the ini file under
// "session/lastgames" as one JSON array. Reading takes nothing on trust:
// entries of the wrong type or outside their form are skipped, and a damaged
// value reads as no games. What is stored belongs to the session that wrote
// it: the next start takes it, so that a session that never writes (a crash,
// a kill) leaves nothing to offer rather than the set of an older one.
class RememberedGames
{
public:
    static constexpr int maxGames = 30;
    static constexpr int maxStoredBytes = 64 * 1024;

    static QString key();
    static QByteArray encode(const QList<GameTab> &games);
    static QList<GameTab> decode(const QByteArray &stored);

    static QList<GameTab> load(const Settings *settings);
    // Reads what is stored and removes it from the file.
    static QList<GameTab> take(Settings *settings);
    // An empty list removes the key.
    static void save(Settings *settings, const QList<GameTab> &games);
};
