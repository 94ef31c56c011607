#pragma once

#include <string>

namespace httplib { struct Request; struct Response; }
struct PortalContext;
class Router;

// The JSON calls of the portal index, "?type=open&action=...".
class OpenApi
{
public:
    explicit OpenApi(PortalContext &context) : m_context(context) {}
    void install(Router &router);   // the upload is a POST of its own
    // Endpoint and group of an index request: its action, and "open" or "web".
    static void classifyIndex(const httplib::Request &req);
    void handle(const std::string &action, const httplib::Request &req, httplib::Response &res);

private:
    void checkLoginStatus(const httplib::Request &req, httplib::Response &res);
    void gameList(const httplib::Request &req, httplib::Response &res);
    void collectionAdd(const httplib::Request &req, httplib::Response &res);
    void collectionList(const httplib::Request &req, httplib::Response &res);
    void collectionDelete(const httplib::Request &req, httplib::Response &res);
    void publishDynamic(const httplib::Request &req, httplib::Response &res);
    void uploadImage(const httplib::Request &req, httplib::Response &res);
    void urlInterceptor(const httplib::Request &req, httplib::Response &res);
    void gameIdHostMap(httplib::Response &res);
    void checkUpdate(const httplib::Request &req, httplib::Response &res);

    PortalContext &m_context;
};
