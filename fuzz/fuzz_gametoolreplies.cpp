// Any body as the answer to a collection or a game-list call of a game toolbar.
#include "gametools/gametoolreplies.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), int(size));
    if (GameToolReplies::collectionMessage(body).isEmpty())
        __builtin_trap();  // every reply tells the user something
    GameToolReplies::readGameList(body);
    return 0;
}
