#include "web/enginearguments.h"

#include "web/shortcutaddress.h"

#include <QString>

#include <algorithm>
#include <cstring>

namespace {
// Each argument gets a buffer of at least this size; longer ones get what they need.
constexpr size_t kArgBufferSize = 1024;
}

EngineArguments::EngineArguments(int argc, char **argv)
{
    if (argc > 0)
        append(argv[0], std::strlen(argv[0]));
    const size_t longest = ShortcutAddress::maxLength + 1;
    for (int i = 1; i < argc; ++i) {
        const size_t length = std::strlen(argv[i]);
        // Anything else, a switch of Qt's or the engine's above all, is dropped.
        if (ShortcutAddress::looksLikeAddress(QString::fromLocal8Bit(argv[i], int(std::min(length, longest)))))
            append(argv[i], std::min(length, longest));
    }
    for (const char *flash : {"--ppapi-flash-path=pepflashplayer.dll", "--ppapi-flash-version=30.0.0.235"})
        append(flash, std::strlen(flash));
    for (const char *background : backgroundSwitches())
        append(background, std::strlen(background));
    for (auto &buffer : m_buffers)
        m_pointers.push_back(buffer.data());
    m_pointers.push_back(nullptr);
    m_argc = static_cast<int>(m_buffers.size());
}

const std::vector<const char *> &EngineArguments::backgroundSwitches()
{
    static const std::vector<const char *> switches = {"--disable-background-timer-throttling",
                                                       "--disable-renderer-backgrounding",
                                                       "--disable-backgrounding-occluded-windows"};
    return switches;
}

void EngineArguments::append(const char *text, size_t length)
{
    std::vector<char> buffer(std::max(kArgBufferSize, length + 1), '\0');
    std::copy(text, text + length, buffer.begin());
    m_buffers.push_back(std::move(buffer));
}
