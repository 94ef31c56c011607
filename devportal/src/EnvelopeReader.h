#pragma once

#include <optional>
#include <string>

class KeyStore;

// Opens the "appData" envelope: Base64 pieces joined by ",", each an RSA block
// holding up to 100 bytes of the operation text.
class EnvelopeReader
{
public:
    explicit EnvelopeReader(const KeyStore &keys) : m_keys(keys) {}

    // Takes the query value as it arrived (still percent-encoded).
    // Returns the joined plain text, or nullopt when any piece fails.
    std::optional<std::string> open(const std::string &encoded) const;

    static constexpr size_t maxPieces = 32;

private:
    const KeyStore &m_keys;
};
