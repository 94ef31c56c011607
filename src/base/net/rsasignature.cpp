#include "net/rsasignature.h"

#include "app/apppaths.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <memory>

namespace {

using PKey = std::shared_ptr<EVP_PKEY>;
using Bio = std::unique_ptr<BIO, decltype(&BIO_free)>;
using PKeyCtx = std::unique_ptr<EVP_PKEY_CTX, decltype(&EVP_PKEY_CTX_free)>;

// The parsed key and what the file looked like when it was read.
struct KeyCache {
    QMutex mutex;
    QString path;
    QDateTime modified;
    qint64 size = -1;
    PKey key;
};

KeyCache &cache()
{
    static KeyCache instance;
    return instance;
}

PKey parseKey(const QByteArray &pem)
{
    Bio bio(BIO_new_mem_buf(pem.constData(), static_cast<int>(pem.size())), &BIO_free);
    if (!bio)
        return PKey();
    PKey key(PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr), &EVP_PKEY_free);
    if (key && !EVP_PKEY_is_a(key.get(), "RSA"))
        return PKey();
    return key;
}

// The key of the file at path, re-read only when its time stamp or size changed.
// Reading through QFile keeps non-ASCII installation paths working.
PKey keyFor(const QString &path)
{
    KeyCache &c = cache();
    QMutexLocker lock(&c.mutex);
    const QFileInfo info(path);
    if (!info.isFile()) {
        qDebug() << "pubkey_path:" << path << "file not exit";
        c.key.reset();
        c.path.clear();
        return PKey();
    }
    if (c.key && c.path == path && c.modified == info.lastModified() && c.size == info.size())
        return c.key;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "pubkey_path:" << path << "cannot be read";
        return PKey();
    }
    qDebug() << "pubkey_path:" << path;
    c.key = parseKey(file.readAll());
    c.path = path;
    c.modified = info.lastModified();
    c.size = info.size();
    if (!c.key)
        qDebug() << "pubkey_path:" << path << "holds no RSA public key";
    return c.key;
}

QByteArray seal(EVP_PKEY *key, const QByteArray &chunk)
{
    PKeyCtx ctx(EVP_PKEY_CTX_new_from_pkey(nullptr, key, nullptr), &EVP_PKEY_CTX_free);
    if (!ctx || EVP_PKEY_encrypt_init(ctx.get()) <= 0
        || EVP_PKEY_CTX_set_rsa_padding(ctx.get(), RSA_PKCS1_PADDING) <= 0)
        return QByteArray();
    const auto *in = reinterpret_cast<const unsigned char *>(chunk.constData());
    size_t outLength = 0;
    if (EVP_PKEY_encrypt(ctx.get(), nullptr, &outLength, in, static_cast<size_t>(chunk.size())) <= 0)
        return QByteArray();
    QByteArray out(static_cast<int>(outLength), Qt::Uninitialized);
    if (EVP_PKEY_encrypt(ctx.get(), reinterpret_cast<unsigned char *>(out.data()), &outLength, in,
                         static_cast<size_t>(chunk.size())) <= 0)
        return QByteArray();
    out.truncate(static_cast<int>(outLength));
    return out.toBase64();
}
}

RSASignature::RSASignature(QObject *parent)
    : QObject(parent)
{
}

QString RSASignature::keyPath()
{
    return AppPaths::assetPath(QStringLiteral("public_key_korvo.pem"));
}

QByteArray RSASignature::encrypt(const QString &text)
{
    const QByteArray plain = text.toLatin1();
    if (plain.isEmpty())
        return QByteArray();
    // The plain text holds the password digest and the API key: only its size is logged.
    qDebug() << "path:" << keyPath() << "tempCode:" << plain.size() << "bytes";
    const PKey key = keyFor(keyPath());
    if (!key)
        return QByteArray();
    QByteArray envelope;
    for (int start = 0; start < plain.size(); start += chunkSize) {
        const QByteArray piece = seal(key.get(), plain.mid(start, chunkSize));
        // A missing piece would make the portal read a different text: send nothing instead.
        if (piece.isEmpty()) {
            qDebug() << "encrypt: chunk at" << start << "could not be sealed";
            return QByteArray();
        }
        if (!envelope.isEmpty())
            envelope += ',';
        envelope += piece;
    }
    return envelope;
}

QByteArray RSASignature::encryptChunk(const QByteArray &chunk, const QString &keyPath)
{
    const PKey key = keyFor(keyPath);
    if (!key)
        return QByteArray();
    return seal(key.get(), chunk);
}
