#pragma once

#include <string>

namespace httplib { struct Request; struct Response; }
struct PortalContext;
struct HostUrls;
class PageTemplates;
class SkinPackages;

// The web pages of the portal index, "?type=web&action=...".
class PortalPages
{
public:
    PortalPages(PortalContext &context, const PageTemplates &templates, const SkinPackages &skins)
        : m_context(context), m_templates(templates), m_skins(skins) {}

    void handle(const std::string &action, const httplib::Request &req, httplib::Response &res);

private:
    std::string home(const HostUrls &urls) const;
    std::string left(const httplib::Request &req, const HostUrls &urls) const;
    std::string gameList(const std::string &action, const httplib::Request &req,
                         const HostUrls &urls) const;
    std::string cards(const std::string &action, const HostUrls &urls) const;
    std::string gamePlay(const httplib::Request &req, const HostUrls &urls) const;
    std::string vip(const httplib::Request &req, const HostUrls &urls) const;
    std::string signCalendar(const httplib::Request &req, const HostUrls &urls) const;
    std::string skinList(const httplib::Request &req, const HostUrls &urls) const;

    PortalContext &m_context;
    const PageTemplates &m_templates;
    const SkinPackages &m_skins;
};
