// Any body as the answer to the two calls of the start: the diverting rules,
// written to the rules file and read back, and the game-id map.
#include "net/jsonkeycheck.h"
#include "web/threadgameidhostmap.h"
#include "web/urlrules.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QByteArray body(reinterpret_cast<const char *>(data), int(size));
    const QString file = dir.filePath(QStringLiteral("gameurlgoto.ini"));
    QFile::remove(file);
    // An empty or broken pattern may be stored: the router never lets one match.
    if (UrlRules::writeReply(body, file))
        UrlRules::patterns(file);
    const QHash<QString, QString> map = ThreadGameIdHostMap::parseMap(body);
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.value().isEmpty())
            __builtin_trap();  // a game id never leads to no host
    }
    JsonKeyCheck::hasRepeatedKey(body);
    return 0;
}
