#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The "appData" envelope of the account operations: the text cut into chunks
// of 100 bytes, each sealed with the portal's RSA public key (PKCS #1 v1.5),
// Base64-encoded and joined with ",". The key file is read once and kept until
// it changes on disk. Safe to call from any thread.
class RSASignature : public QObject
{
    Q_OBJECT
public:
    static constexpr int chunkSize = 100;

    explicit RSASignature(QObject *parent = nullptr);

    // The envelope, or an empty array when any chunk could not be sealed.
    static QByteArray encrypt(const QString &text);
    // One chunk sealed with the key in the file at keyPath, as Base64; null on failure.
    static QByteArray encryptChunk(const QByteArray &chunk, const QString &keyPath);
    // AppPaths::assetPath("public_key_korvo.pem"): beside the executable or installed
    static QString keyPath();
};
