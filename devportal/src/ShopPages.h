#pragma once

#include <string>

namespace httplib { struct Request; struct Response; }
struct PortalContext;
class PageTemplates;
class Router;

// Payment, customer service, gift packs, the points mall and game cards.
class ShopPages
{
public:
    ShopPages(PortalContext &context, const PageTemplates &templates)
        : m_context(context), m_templates(templates) {}
    void install(Router &router);

private:
    using Req = httplib::Request;
    using Res = httplib::Response;
    void pay(const Req &req, Res &res);
    void service(const Req &req, Res &res);
    void gifts(const Req &req, Res &res);
    void mall(const Req &req, Res &res);
    void earnPoints(const Req &req, Res &res);
    void firstPay(const Req &req, Res &res);
    void gameCard(const Req &req, Res &res);
    void article(const Req &req, Res &res, const char *title, const std::string &content);

    PortalContext &m_context;
    const PageTemplates &m_templates;
};
