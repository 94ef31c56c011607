// Arbitrary rules and an arbitrary address through the routing decision: the
// lines of the input before the last are rules, the last is the address.
#include "web/urlrouter.h"

#include <QUrl>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    QStringList lines = text.split(QLatin1Char('\n'));
    const QString address = lines.takeLast();
    UrlRouter router;
    router.setHosts(QStringLiteral("www.korvo.test"), QStringLiteral("h5.korvo.test"),
                    {QStringLiteral("a.test"), QStringLiteral("b.test"), QStringLiteral("c.test")});
    router.setRules(lines);
    router.setGameIdHosts({{QStringLiteral("7"), QStringLiteral("xianxia")}});
    if (router.ruleCount() > UrlRouter::maxRules)
        __builtin_trap();
    RouteContext context;
    context.hasGameView = size % 2;
    context.hasHomeListView = size % 3 == 0;
    context.player.userName = QStringLiteral("korvo");
    router.route(QUrl(address), context);
    return 0;
}
