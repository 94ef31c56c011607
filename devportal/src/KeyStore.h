#pragma once

#include <optional>
#include <string>

typedef struct evp_pkey_st EVP_PKEY;

// The portal's RSA key pair. The private half stays in the key directory so that
// a restart keeps the public key the client was given.
class KeyStore
{
public:
    static constexpr const char *publicKeyName = "public_key_korvo.pem";
    static constexpr const char *privateKeyName = "private_key_korvo.pem";

    KeyStore() = default;
    ~KeyStore();
    KeyStore(const KeyStore &) = delete;
    KeyStore &operator=(const KeyStore &) = delete;

    // Loads the private key from dir or generates a 2048-bit pair there; writes
    // the public key file in both cases. Returns false with error() set.
    bool open(const std::string &dir);
    const std::string &error() const { return m_error; }

    // Decrypts one PKCS #1 v1.5 block; nullopt when the block is not ours.
    std::optional<std::string> decrypt(const std::string &cipher) const;
    size_t blockSize() const;

private:
    bool loadPrivate(const std::string &path);
    bool generate(const std::string &path);
    bool writePublic(const std::string &path);

    EVP_PKEY *m_key = nullptr;
    std::string m_error;
};
