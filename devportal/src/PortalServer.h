#pragma once

#include "ControlApi.h"
#include "Gateway.h"
#include "H5Site.h"
#include "OpenApi.h"
#include "PageTemplates.h"
#include "PortalPages.h"
#include "Router.h"
#include "ShopPages.h"
#include "SitePages.h"
#include "SkinPackages.h"
#include "StaticFiles.h"

#include <string>
#include <thread>

struct PortalContext;

// The two listening hosts with all their routes, each served on its own thread.
class PortalServer
{
public:
    explicit PortalServer(PortalContext &context);
    ~PortalServer();

    // Binds both ports (0: any free port) and starts serving; the chosen ports
    // are written into the context.
    bool start(int portalPort, int h5Port, std::string *error);
    void stop();

private:
    void installPortal();
    void installH5();
    void serveIndex(const httplib::Request &req, httplib::Response &res);

    PortalContext &m_context;
    PageTemplates m_templates;
    SkinPackages m_skins;
    Gateway m_gateway;
    OpenApi m_api;
    PortalPages m_pages;
    SitePages m_site;
    ShopPages m_shop;
    H5Site m_h5Site;
    StaticFiles m_files;
    ControlApi m_control;
    Router m_portal;
    Router m_h5;
    std::thread m_portalThread;
    std::thread m_h5Thread;
};
