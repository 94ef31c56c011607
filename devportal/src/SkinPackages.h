#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// Skin packages built from www/skins/NAME/{style.qss,photo.jpg,title.txt}: a zip
// whose entries are NAME/ (a directory entry), NAME/style.qss and NAME/photo.jpg.
class SkinPackages
{
public:
    struct Skin {
        std::string name;    // one word, also the package's file name
        std::string title;   // shown on the skin page
    };

    // Reads every skin directory and builds its package.
    explicit SkinPackages(const std::string &skinsDir);

    const std::vector<Skin> &skins() const { return m_skins; }
    std::optional<std::string> package(const std::string &name) const;
    std::optional<std::string> photo(const std::string &name) const;

    struct Entry {
        std::string name;
        std::string data;
        bool directory = false;
    };
    // A stored (uncompressed) zip archive of the entries.
    static std::string zip(const std::vector<Entry> &entries);
    // The entries of an archive made by zip(); empty for anything else.
    static std::vector<Entry> entries(const std::string &archive);

    // The kinds of hostile package that hostile() makes.
    static bool isHostileKind(const std::string &kind);
    // A package made by zip() turned hostile: "extra_html" adds NAME/readme.html
    // (a page that reads the account store), "qss_urls" makes style.qss refer
    // to files outside the skin, "large_qss" pads style.qss to 15 MiB and
    // "huge_photo" makes photo.jpg's header claim 11000 x 11000 pixels.
    static std::string hostile(const std::string &package, const std::string &kind);
    // The package with style.qss grown to exactly `bytes` with rules a skin
    // could hold (selectors the client's widgets are matched against); a
    // sheet longer already stays as it is.
    static std::string withSheetOf(const std::string &package, size_t bytes);

private:
    std::vector<Skin> m_skins;
    std::map<std::string, std::string> m_packages;
    std::map<std::string, std::string> m_photos;
};
