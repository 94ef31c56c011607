#include "enginearguments.h"

#include <algorithm>
#include <cstring>

namespace {
// Each argument gets a buffer of at least this size; longer ones get what they need.
constexpr size_t kArgBufferSize = 1024;
}

EngineArguments::EngineArguments(int argc, char **argv)
{
    for (int i = 0; i < argc; ++i)
        append(argv[i]);
    append("--ppapi-flash-path=pepflashplayer.dll");
    append("--ppapi-flash-version=30.0.0.235");
    for (auto &buffer : m_buffers)
        m_pointers.push_back(buffer.data());
    m_pointers.push_back(nullptr);
    m_argc = static_cast<int>(m_buffers.size());
}

void EngineArguments::append(const char *text)
{
    const size_t length = std::strlen(text);
    std::vector<char> buffer(std::max(kArgBufferSize, length + 1), '\0');
    std::copy(text, text + length, buffer.begin());
    m_buffers.push_back(std::move(buffer));
}
