#pragma once

#include <map>
#include <optional>
#include <string>

struct HostUrls;

// HTML pages from the templates in www/templates: "{{name}}" is replaced by the
// value given for it. Values go in as they are; callers escape text.
class PageTemplates
{
public:
    using Vars = std::map<std::string, std::string>;

    explicit PageTemplates(std::string wwwDir) : m_wwwDir(std::move(wwwDir)) {}

    std::string fill(const std::string &name, const Vars &vars) const;
    // A body template inside the layout. withNav adds the site header, for pages
    // shown in web tabs and browsers rather than in the client's own panels.
    std::string page(const std::string &title, const std::string &bodyName, Vars vars,
                     const HostUrls &urls, bool withNav = false,
                     const std::string &who = std::string()) const;
    std::string notice(const std::string &title, const std::string &message, const HostUrls &urls,
                       const std::string &extra = std::string()) const;

    static std::string substitute(const std::string &text, const Vars &vars);
    std::optional<std::string> readFile(const std::string &relativePath) const;
    const std::string &wwwDir() const { return m_wwwDir; }

private:
    std::string m_wwwDir;
};
