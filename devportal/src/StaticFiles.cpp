#include "StaticFiles.h"

#include "PageTemplates.h"
#include "PortalContext.h"
#include "Reply.h"
#include "Router.h"
#include "SkinPackages.h"

#include <QFile>
#include <QWebChannel>

#include <httplib.h>

StaticFiles::StaticFiles(PortalContext &context, const PageTemplates &templates, const SkinPackages &skins)
    : m_context(context), m_templates(templates), m_skins(skins), m_webChannelScript(webChannelScript())
{
}

std::string StaticFiles::webChannelScript()
{
    // Taking an address from the library keeps it, and with it the resource, linked in.
    static const void *volatile webChannelLink = &QWebChannel::staticMetaObject;
    (void)webChannelLink;
    QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!file.open(QIODevice::ReadOnly)) return std::string();
    return file.readAll().toStdString();
}

std::string StaticFiles::contentType(const std::string &path)
{
    auto ends = [&path](const char *suffix) {
        const std::string s(suffix);
        return path.size() >= s.size() && path.compare(path.size() - s.size(), s.size(), s) == 0;
    };
    if (ends(".css")) return "text/css; charset=utf-8";
    if (ends(".js")) return "application/javascript; charset=utf-8";
    if (ends(".png")) return "image/png";
    if (ends(".jpg")) return "image/jpeg";
    if (ends(".html")) return "text/html; charset=utf-8";
    return "application/octet-stream";
}

void StaticFiles::installShared(Router &router)
{
    router.get("/qwebchannel.js", [this](const httplib::Request &, httplib::Response &res) {
        if (m_webChannelScript.empty()) res.status = 404;
        else res.set_content(m_webChannelScript, "application/javascript; charset=utf-8");
    });
    router.get(R"(/static/([\w./-]+))", [this](const httplib::Request &req, httplib::Response &res) {
        const std::string path = req.matches[1].str();
        auto data = m_templates.readFile("static/" + path);
        if (!data) {
            res.status = 404;
            return;
        }
        res.set_content(*data, contentType(path));
    });
}

void StaticFiles::installPortal(Router &router)
{
    router.get(R"(/skins/(\w+)\.zip)", [this](const httplib::Request &req, httplib::Response &res) {
        auto zip = m_skins.package(req.matches[1].str());
        if (!zip) res.status = 404;
        else res.set_content(*zip, "application/zip");
    });
    router.get(R"(/skins/(\w+)/photo\.jpg)", [this](const httplib::Request &req, httplib::Response &res) {
        auto jpg = m_skins.photo(req.matches[1].str());
        if (!jpg) res.status = 404;
        else res.set_content(*jpg, "image/jpeg");
    });
    router.get(R"(/upload/dynamic/\w+\.jpg)", [this](const httplib::Request &req, httplib::Response &res) {
        auto jpg = m_context.feed.image(req.path);
        if (!jpg) res.status = 404;
        else res.set_content(*jpg, "image/jpeg");
    });
    router.get(R"(/sy/(\w+)\.(exe|apk))", [](const httplib::Request &req, httplib::Response &res) {
        // A stub file: the stand-in has no installer to hand out.
        res.set_header("Content-Disposition", "attachment; filename=\"" + req.matches[1].str() + "."
                                                  + req.matches[2].str() + "\"");
        res.set_content("Korvo stand-in download\n", "application/octet-stream");
    });
}
