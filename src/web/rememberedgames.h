#pragma once

#include "gametab.h"

#include <QByteArray>
#include <QList>

class Settings;

// The game tabs that were open at the last exit, kept in the ini file under
// "session/lastgames" as one JSON array. Reading takes nothing on trust:
// entries of the wrong type or outside their form are skipped, and a damaged
// value reads as no games.
class RememberedGames
{
public:
    static constexpr int maxGames = 30;
    static constexpr int maxStoredBytes = 64 * 1024;

    static QString key();
    static QByteArray encode(const QList<GameTab> &games);
    static QList<GameTab> decode(const QByteArray &stored);

    static QList<GameTab> load(const Settings *settings);
    // An empty list removes the key.
    static void save(Settings *settings, const QList<GameTab> &games);
};
