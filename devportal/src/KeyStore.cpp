#include "KeyStore.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sys/stat.h>

namespace {

std::string opensslError(const std::string &what)
{
    char buf[256];
    ERR_error_string_n(ERR_get_error(), buf, sizeof buf);
    return what + ": " + buf;
}

struct FileCloser {
    void operator()(FILE *f) const { if (f) std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;
}

KeyStore::~KeyStore()
{
    EVP_PKEY_free(m_key);
}

bool KeyStore::open(const std::string &dir)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::string privatePath = dir + "/" + privateKeyName;
    bool ok = std::filesystem::exists(privatePath) ? loadPrivate(privatePath) : generate(privatePath);
    return ok && writePublic(dir + "/" + publicKeyName);
}

bool KeyStore::loadPrivate(const std::string &path)
{
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        m_error = "cannot read " + path;
        return false;
    }
    m_key = PEM_read_PrivateKey(file.get(), nullptr, nullptr, nullptr);
    if (!m_key || EVP_PKEY_get_base_id(m_key) != EVP_PKEY_RSA) {
        m_error = opensslError("not an RSA private key: " + path);
        return false;
    }
    return true;
}

bool KeyStore::generate(const std::string &path)
{
    m_key = EVP_RSA_gen(2048);
    if (!m_key) {
        m_error = opensslError("key generation failed");
        return false;
    }
    // The private key is only for this machine's stand-in; still keep it owner-only.
    mode_t old = umask(077);
    FilePtr file(std::fopen(path.c_str(), "wb"));
    umask(old);
    if (!file || !PEM_write_PrivateKey(file.get(), m_key, nullptr, nullptr, 0, nullptr, nullptr)) {
        m_error = "cannot write " + path;
        return false;
    }
    return true;
}

bool KeyStore::writePublic(const std::string &path)
{
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file || !PEM_write_PUBKEY(file.get(), m_key)) {
        m_error = "cannot write " + path;
        return false;
    }
    return true;
}

size_t KeyStore::blockSize() const
{
    return m_key ? static_cast<size_t>(EVP_PKEY_get_size(m_key)) : 0;
}

std::optional<std::string> KeyStore::decrypt(const std::string &cipher) const
{
    if (!m_key || cipher.size() != blockSize()) return std::nullopt;
    EVP_PKEY_CTX *ctx = EVP_PKEY_CTX_new(m_key, nullptr);
    if (!ctx) return std::nullopt;
    std::optional<std::string> result;
    size_t length = 0;
    const auto *in = reinterpret_cast<const unsigned char *>(cipher.data());
    if (EVP_PKEY_decrypt_init(ctx) > 0 && EVP_PKEY_CTX_set_rsa_padding(ctx, RSA_PKCS1_PADDING) > 0
        && EVP_PKEY_decrypt(ctx, nullptr, &length, in, cipher.size()) > 0) {
        std::string plain(length, '\0');
        if (EVP_PKEY_decrypt(ctx, reinterpret_cast<unsigned char *>(plain.data()), &length, in,
                             cipher.size()) > 0) {
            plain.resize(length);
            result = plain;
        }
    }
    ERR_clear_error();
    EVP_PKEY_CTX_free(ctx);
    return result;
}
