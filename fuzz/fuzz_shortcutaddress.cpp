// Arbitrary text as a shortcut address (from a command line or another copy)
// and as a stored list of games: whatever is read back must be in its form,
// and an address read must build to one that reads the same.
#include "web/rememberedgames.h"
#include "web/shortcutaddress.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    GameTab game;
    if (ShortcutAddress::parse(QString::fromUtf8(bytes), &game)) {
        GameTab again;
        if (!game.isValid() || !ShortcutAddress::parse(ShortcutAddress::build(game), &again) || !(again == game))
            __builtin_trap();
    }
    const QList<GameTab> games = RememberedGames::decode(bytes);
    if (games.size() > RememberedGames::maxGames)
        __builtin_trap();
    for (const GameTab &stored : games) {
        if (!stored.isValid())
            __builtin_trap();
    }
    if (!games.isEmpty() && RememberedGames::decode(RememberedGames::encode(games)) != games)
        __builtin_trap();
    return 0;
}
