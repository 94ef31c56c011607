#include "EnvelopeReader.h"

#include "KeyStore.h"
#include "Text.h"

std::optional<std::string> EnvelopeReader::open(const std::string &encoded) const
{
    const std::string envelope = Text::percentDecode(encoded);
    const auto pieces = Text::split(envelope, ',');
    if (envelope.empty() || pieces.size() > maxPieces) return std::nullopt;
    std::string text;
    for (const std::string &piece : pieces) {
        auto cipher = Text::base64Decode(Text::trim(piece));
        if (!cipher) return std::nullopt;
        auto plain = m_keys.decrypt(*cipher);
        if (!plain) return std::nullopt;
        text += *plain;
    }
    // The client sends Latin-1 text; a zero byte means a piece that was not text.
    if (text.find('\0') != std::string::npos) return std::nullopt;
    return text;
}
