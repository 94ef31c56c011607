#pragma once

namespace httplib { struct Request; struct Response; }
struct PortalContext;
class PageTemplates;
class Router;

// The H5 games host: the game list, "/<name>" game pages, "/games/<name>/..."
// play pages and the gift cards of "/card_list.php".
class H5Site
{
public:
    H5Site(PortalContext &context, const PageTemplates &templates)
        : m_context(context), m_templates(templates) {}
    void install(Router &router);

private:
    using Req = httplib::Request;
    using Res = httplib::Response;
    void home(const Req &req, Res &res);
    void cards(const Req &req, Res &res);
    void intro(const Req &req, Res &res);
    void play(const Req &req, Res &res);
    void notFound(const Req &req, Res &res);

    PortalContext &m_context;
    const PageTemplates &m_templates;
};
