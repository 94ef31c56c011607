#pragma once

#include <string>

struct PortalContext;
class PageTemplates;
class Router;
class SkinPackages;

// Files of both hosts: www/static, the web-channel client script, skin packages,
// uploaded screenshots and the download stubs.
class StaticFiles
{
public:
    StaticFiles(PortalContext &context, const PageTemplates &templates, const SkinPackages &skins);
    void installShared(Router &router);   // both hosts
    void installPortal(Router &router);   // portal host only

    static std::string contentType(const std::string &path);
    // The script Qt's web-channel module carries as a resource, or "" without it.
    static std::string webChannelScript();

private:
    PortalContext &m_context;
    const PageTemplates &m_templates;
    const SkinPackages &m_skins;
    std::string m_webChannelScript;
};
