// Any body, plain or said to be compressed, fed in pieces as the network hands it over.
#include "net/bodydecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    static const char *const encodings[] = {"", "gzip", "deflate", "identity"};
    constexpr qint64 limit = 64 * 1024;
    BodyDecoder decoder(limit);
    decoder.setEncoding(encodings[data[0] % 4]);
    const int piece = 1 + data[1] % 64;
    const char *bytes = reinterpret_cast<const char *>(data) + 2;
    const int length = int(size) - 2;
    for (int at = 0; at < length; at += piece) {
        if (!decoder.feed(QByteArray(bytes + at, qMin(piece, length - at))))
            break;
    }
    decoder.finish();
    if (decoder.body().size() > limit)
        __builtin_trap();  // the limit holds whatever the body
    return 0;
}
