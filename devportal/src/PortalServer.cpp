#include "PortalServer.h"

#include "PortalContext.h"
#include "Reply.h"

#include <httplib.h>

PortalServer::PortalServer(PortalContext &context)
    : m_context(context), m_templates(context.wwwDir), m_skins(context.wwwDir + "/skins"),
      m_gateway(context), m_api(context), m_pages(context, m_templates, m_skins), m_site(context, m_templates),
      m_shop(context, m_templates), m_h5Site(context, m_templates), m_files(context, m_templates, m_skins),
      m_control(context), m_portal("portal", context.faults, context.log), m_h5("h5", context.faults, context.log)
{
    installPortal();
    installH5();
}

PortalServer::~PortalServer()
{
    stop();
}

void PortalServer::installPortal()
{
    m_control.install(m_portal);
    m_files.installShared(m_portal);
    m_files.installPortal(m_portal);
    m_gateway.install(m_portal);
    m_portal.get(
        "/DODev_C/index.php", [this](const httplib::Request &req, httplib::Response &res) { serveIndex(req, res); },
        OpenApi::classifyIndex);
    m_api.install(m_portal);
    m_shop.install(m_portal);
    m_site.install(m_portal);   // last: it ends with the "/<game host>" shortcut
}

void PortalServer::installH5()
{
    m_files.installShared(m_h5);
    m_h5Site.install(m_h5);
}

void PortalServer::serveIndex(const httplib::Request &req, httplib::Response &res)
{
    const std::string type = Reply::param(req, "type");
    const std::string action = Reply::param(req, "action");
    if (type == "open") {
        m_api.handle(action, req, res);
    } else if (type == "web") {
        m_pages.handle(action, req, res);
    } else {
        // The bare index address shows the home page, as the portal's own site does.
        m_pages.handle("index", req, res);
    }
}

bool PortalServer::start(int portalPort, int h5Port, std::string *error)
{
    m_context.portalPort = m_portal.bind(portalPort);
    m_context.h5Port = m_h5.bind(h5Port);
    if (m_context.portalPort <= 0 || m_context.h5Port <= 0) {
        *error = "cannot listen on 127.0.0.1:" + std::to_string(m_context.portalPort <= 0 ? portalPort : h5Port);
        return false;
    }
    m_portalThread = std::thread([this] { m_portal.listen(); });
    m_h5Thread = std::thread([this] { m_h5.listen(); });
    return true;
}

void PortalServer::stop()
{
    m_context.faults.shutdown();
    m_portal.stop();
    m_h5.stop();
    if (m_portalThread.joinable()) m_portalThread.join();
    if (m_h5Thread.joinable()) m_h5Thread.join();
}
