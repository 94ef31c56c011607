#pragma once

#include <string>

namespace httplib { struct Request; struct Response; }
struct PortalContext;
class PageTemplates;
class Router;

// Pages at the portal root: user centre, registration, game servers, news,
// downloads, the community feed, avatars and the game-host shortcuts.
class SitePages
{
public:
    SitePages(PortalContext &context, const PageTemplates &templates)
        : m_context(context), m_templates(templates) {}
    // Registers the routes; the game-host shortcut "/<word>" goes last.
    void install(Router &router);

private:
    using Req = httplib::Request;
    using Res = httplib::Response;
    // Who the nav bar names: the visitor the identity cookies show, or nobody.
    std::string who(const Req &req) const;
    void userCentre(const Req &req, Res &res);
    void registration(const Req &req, Res &res);
    void forgetPassword(const Req &req, Res &res);
    void gameServers(const Req &req, Res &res);
    void gameById(const Req &req, Res &res);
    void playServer(const Req &req, Res &res);
    void newsList(const Req &req, Res &res);
    void newsItem(const Req &req, Res &res);
    void download(const Req &req, Res &res);
    void feed(const Req &req, Res &res);
    void avatar(const Req &req, Res &res);
    void logout(const Req &req, Res &res);
    void gameHost(const Req &req, Res &res);

    PortalContext &m_context;
    const PageTemplates &m_templates;
};
