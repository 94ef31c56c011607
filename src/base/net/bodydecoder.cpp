#include "net/bodydecoder.h"

#include <zlib.h>

namespace {
constexpr int kOutputPiece = 64 * 1024;
// zlib's window bits: 15 for the largest window, +16 for a gzip wrapper,
// +32 to accept either wrapper.
constexpr int kGzipWindow = 15 + 16;
constexpr int kAnyWrapperWindow = 15 + 32;
}

BodyDecoder::BodyDecoder(qint64 maxBytes)
    : m_maxBytes(maxBytes)
{
}

BodyDecoder::~BodyDecoder()
{
    if (m_stream)
        inflateEnd(m_stream.get());
}

bool BodyDecoder::setEncoding(const QByteArray &contentEncoding)
{
    const QByteArray name = contentEncoding.trimmed().toLower();
    if (name.isEmpty() || name == "identity")
        return true;
    int window = 0;
    if (name == "gzip" || name == "x-gzip")
        window = kGzipWindow;
    else if (name == "deflate")
        window = kAnyWrapperWindow;
    else
        return !(m_broken = true);
    m_stream = std::make_unique<z_stream_s>();
    *m_stream = z_stream_s{};
    if (inflateInit2(m_stream.get(), window) != Z_OK) {
        m_stream.reset();
        return !(m_broken = true);
    }
    return true;
}

bool BodyDecoder::feed(const QByteArray &piece)
{
    if (m_broken || m_tooLarge)
        return false;
    if (!m_stream)
        return append(piece.constData(), piece.size());
    return inflatePiece(piece);
}

bool BodyDecoder::inflatePiece(const QByteArray &piece)
{
    // Bytes after the end of the compressed stream are ignored, as browsers do.
    if (m_ended)
        return true;
    m_stream->next_in = reinterpret_cast<Bytef *>(const_cast<char *>(piece.constData()));
    m_stream->avail_in = static_cast<uInt>(piece.size());
    char out[kOutputPiece];
    do {
        m_stream->next_out = reinterpret_cast<Bytef *>(out);
        m_stream->avail_out = kOutputPiece;
        const int result = inflate(m_stream.get(), Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            return !(m_broken = true);
        if (!append(out, kOutputPiece - m_stream->avail_out))
            return false;
        if (result == Z_STREAM_END) {
            m_ended = true;
            break;
        }
        // No progress is possible until the next piece arrives.
        if (result == Z_BUF_ERROR)
            break;
    } while (m_stream->avail_out == 0 || m_stream->avail_in > 0);
    return true;
}

bool BodyDecoder::append(const char *data, qint64 size)
{
    if (m_body.size() + size > m_maxBytes) {
        m_tooLarge = true;
        return false;
    }
    m_body.append(data, static_cast<int>(size));
    return true;
}

bool BodyDecoder::finish()
{
    if (m_stream && !m_ended && !m_broken && !m_tooLarge)
        m_broken = true;
    return !m_broken && !m_tooLarge;
}
