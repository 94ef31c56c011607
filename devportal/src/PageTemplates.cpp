#include "PageTemplates.h"

#include "HostUrls.h"
#include "Text.h"

#include <fstream>
#include <sstream>

std::optional<std::string> PageTemplates::readFile(const std::string &relativePath) const
{
    if (relativePath.find("..") != std::string::npos) return std::nullopt;
    std::ifstream file(m_wwwDir + "/" + relativePath, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string PageTemplates::substitute(const std::string &text, const Vars &vars)
{
    std::string out;
    size_t pos = 0;
    while (true) {
        size_t open = text.find("{{", pos);
        size_t close = open == std::string::npos ? open : text.find("}}", open + 2);
        if (close == std::string::npos) {
            out += text.substr(pos);
            return out;
        }
        out += text.substr(pos, open - pos);
        auto it = vars.find(text.substr(open + 2, close - open - 2));
        if (it != vars.end()) out += it->second;
        pos = close + 2;
    }
}

std::string PageTemplates::fill(const std::string &name, const Vars &vars) const
{
    auto text = readFile("templates/" + name + ".html");
    return text ? substitute(*text, vars) : "<p>模板缺失：" + Text::htmlEscape(name) + "</p>";
}

std::string PageTemplates::page(const std::string &title, const std::string &bodyName, Vars vars,
                                const HostUrls &urls, bool withNav, const std::string &who) const
{
    vars["portal"] = urls.portal;
    vars["index"] = urls.index();
    vars["h5"] = urls.h5;
    const std::string body = fill(bodyName, vars);
    Vars frame {{"title", Text::htmlEscape(title)}, {"body", body},     {"portal", urls.portal},
                {"index", urls.index()},            {"h5", urls.h5},    {"bodyClass", bodyName}};
    if (withNav) {
        frame["nav"] = fill("nav", {{"portal", urls.portal},
                                    {"index", urls.index()},
                                    {"who", who.empty() ? "未登录" : Text::htmlEscape(who)}});
    }
    return fill("layout", frame);
}

std::string PageTemplates::notice(const std::string &title, const std::string &message,
                                  const HostUrls &urls, const std::string &extra) const
{
    return page(title, "notice",
                {{"heading", Text::htmlEscape(title)}, {"message", Text::htmlEscape(message)},
                 {"extra", extra}},
                urls, true);
}
