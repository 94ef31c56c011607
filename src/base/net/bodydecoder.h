#pragma once

#include <QByteArray>

#include <memory>

struct z_stream_s;

// A reply body decoded as it arrives, plain or gzip/deflate compressed, and
// refused as soon as its decoded size passes the limit: a small compressed
// body never grows into more memory than the limit allows.
class BodyDecoder
{
public:
    explicit BodyDecoder(qint64 maxBytes);
    ~BodyDecoder();
    BodyDecoder(const BodyDecoder &) = delete;
    BodyDecoder &operator=(const BodyDecoder &) = delete;

    // From the Content-Encoding header: empty, "identity", "gzip", "x-gzip" or
    // "deflate". False for any other encoding, which cannot be read.
    bool setEncoding(const QByteArray &contentEncoding);
    // Decodes the next piece of the body; false once it is broken or too large.
    bool feed(const QByteArray &piece);
    // False when a compressed body stopped before its end.
    bool finish();

    bool tooLarge() const { return m_tooLarge; }
    bool broken() const { return m_broken; }
    QByteArray body() const { return m_body; }

private:
    bool inflatePiece(const QByteArray &piece);
    bool append(const char *data, qint64 size);

    qint64 m_maxBytes;
    QByteArray m_body;
    std::unique_ptr<z_stream_s> m_stream;
    bool m_ended = false;
    bool m_tooLarge = false;
    bool m_broken = false;
};
