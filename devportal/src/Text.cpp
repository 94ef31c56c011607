#include "Text.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <cctype>
#include <ctime>

namespace Text {

std::string htmlEscape(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string jsEscape(const std::string &text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c == '\\' || c == '\'' || c == '"' || c == '<' || c == '>' || c == '&' || c < 0x20) {
            char buf[8];
            snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

static int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecode(const std::string &text, bool plusAsSpace)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 2 < text.size()
            && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else if (c == '+' && plusAsSpace) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string percentEncode(const std::string &text)
{
    static const char *digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out;
}

static int base64Value(char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

std::optional<std::string> base64Decode(const std::string &text)
{
    std::string clean;
    for (char c : text) {
        if (c == ' ') c = '+'; // an unescaped "+" read as a form blank
        if (c != '\r' && c != '\n') clean += c;
    }
    while (!clean.empty() && clean.back() == '=') clean.pop_back();
    if (clean.size() % 4 == 1) return std::nullopt;
    std::string out;
    unsigned buffer = 0;
    int bits = 0;
    for (char c : clean) {
        int v = base64Value(c);
        if (v < 0) return std::nullopt;
        buffer = (buffer << 6) | static_cast<unsigned>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((buffer >> bits) & 0xFF);
        }
    }
    return out;
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

std::map<std::string, std::string> keyValues(const std::string &text, char separator)
{
    std::map<std::string, std::string> values;
    for (const std::string &pair : split(text, separator)) {
        size_t eq = pair.find('=');
        std::string key = trim(pair.substr(0, eq));
        if (key.empty()) continue;
        values.emplace(key, eq == std::string::npos ? std::string() : pair.substr(eq + 1));
    }
    return values;
}

std::string trim(const std::string &text)
{
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return std::string();
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::string cookie(const std::string &header, const std::string &name)
{
    for (const auto &[key, value] : keyValues(header, ';')) {
        if (key == name) return percentDecode(trim(value));
    }
    return std::string();
}

std::string md5Hex(const std::string &text)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(text.data(), text.size(), digest, &length, EVP_md5(), nullptr);
    static const char *digits = "0123456789abcdef";
    std::string out;
    for (unsigned i = 0; i < length; ++i) {
        out += digits[digest[i] >> 4];
        out += digits[digest[i] & 15];
    }
    return out;
}

std::string randomHex(size_t bytes)
{
    std::string raw(bytes, '\0');
    RAND_bytes(reinterpret_cast<unsigned char *>(raw.data()), static_cast<int>(bytes));
    static const char *digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : raw) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

bool isMd5Hex(const std::string &text)
{
    if (text.size() != 32) return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)) && (c < 'a' || c > 'f')) return false;
    }
    return true;
}

bool isDigits(const std::string &text)
{
    if (text.empty() || text.size() > 12) return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

bool isAccountName(const std::string &text)
{
    if (text.size() < 4 || text.size() > 20) return false;
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

bool isWord(const std::string &text)
{
    if (text.empty() || text.size() > 32) return false;
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

bool startsWith(const std::string &text, const std::string &prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

static std::string formatNow(const char *format)
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, format, &local);
    return buf;
}

std::string today() { return formatNow("%Y-%m-%d"); }
std::string nowText() { return formatNow("%Y-%m-%d %H:%M:%S"); }
}
