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
