#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// Small text helpers shared by the handlers: escaping, decoding, digests.
namespace Text {

std::string htmlEscape(const std::string &text);
// Escapes for a JavaScript string literal inside a double-quoted HTML attribute.
std::string jsEscape(const std::string &text);
// Percent-decoding; "+" stays "+" unless plusAsSpace (form bodies use it for blanks).
std::string percentDecode(const std::string &text, bool plusAsSpace = false);
std::string percentEncode(const std::string &text);
std::optional<std::string> base64Decode(const std::string &text);

// "a=1&b=2" into a map; a key given twice keeps its first value.
std::map<std::string, std::string> keyValues(const std::string &text, char separator = '&');
std::vector<std::string> split(const std::string &text, char separator);
std::string trim(const std::string &text);
// Value of one cookie from a Cookie header, percent-decoded.
std::string cookie(const std::string &header, const std::string &name);

std::string md5Hex(const std::string &text);
std::string randomHex(size_t bytes);
bool isMd5Hex(const std::string &text);
bool isDigits(const std::string &text);
// Account names: 4 to 20 ASCII letters, digits or "_".
bool isAccountName(const std::string &text);
// One word: 1 to 32 ASCII letters, digits or "_" (game hosts, skin names).
bool isWord(const std::string &text);
bool startsWith(const std::string &text, const std::string &prefix);

std::string today();      // yyyy-MM-dd, local time
std::string nowText();    // yyyy-MM-dd HH:mm:ss, local time
}
