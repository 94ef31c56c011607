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

private:
    std::vector<Skin> m_skins;
    std::map<std::string, std::string> m_packages;
    std::map<std::string, std::string> m_photos;
};
