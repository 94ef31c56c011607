// Arbitrary command lines (arguments separated by NUL bytes), as a desktop
// hands the client whatever address a page gave it: only the program, cut
// shortcut addresses, the browser's own two switches and those that keep games
// running out of sight may reach the engine,
// and an address read from them, token and all, must build to one that reads
// the same.
#include "web/enginearguments.h"
#include "web/shortcutaddress.h"

#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> parts = QByteArray(reinterpret_cast<const char *>(data), int(size)).split('\0');
    std::vector<QByteArray> kept(parts.begin(), parts.end());
    std::vector<char *> argv;
    for (QByteArray &part : kept)
        argv.push_back(part.data());
    argv.push_back(nullptr);
    EngineArguments arguments(int(argv.size()) - 1, argv.data());
    const std::vector<const char *> &background = EngineArguments::backgroundSwitches();
    const int own = int(background.size());
    const int count = arguments.argc();
    if (count < 2 + own || std::strncmp(arguments.argv()[count - 2 - own], "--ppapi-flash-path=", 19) != 0)
        __builtin_trap();
    for (int i = 0; i < own; ++i) {
        if (std::strcmp(arguments.argv()[count - own + i], background[std::size_t(i)]) != 0)
            __builtin_trap();
    }
    for (int i = 1; i < count - 2 - own; ++i) {
        const QByteArray argument(arguments.argv()[i]);
        const QString text = QString::fromLocal8Bit(argument);
        if (argument.size() > ShortcutAddress::maxLength + 1 || !ShortcutAddress::looksLikeAddress(text))
            __builtin_trap();
        GameTab game;
        QString token;
        if (!ShortcutAddress::parse(text, &game, &token))
            continue;
        GameTab again;
        QString tokenAgain;
        if (!ShortcutAddress::parse(ShortcutAddress::build(game, token), &again, &tokenAgain) || !(again == game)
            || tokenAgain != token)
            __builtin_trap();
    }
    return 0;
}
