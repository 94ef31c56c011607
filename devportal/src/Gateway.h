#pragma once

#include <map>
#include <string>

namespace httplib { struct Request; struct Response; }
struct PortalContext;
class Router;

// The login gateway "/DODev_C/boxInit.php": account operations sealed in "appData".
class Gateway
{
public:
    explicit Gateway(PortalContext &context) : m_context(context) {}
    void install(Router &router);

    // The raw (still percent-encoded) value of "appData" from a request target.
    static std::string rawAppData(const std::string &target);

private:
    using Fields = std::map<std::string, std::string>;
    // Opens the envelope before the fault lookup, so that faults can be set per sign.
    void classify(const httplib::Request &req);
    void handle(const httplib::Request &req, httplib::Response &res);
    void login(const Fields &fields, httplib::Response &res);
    void registerAccount(const Fields &fields, httplib::Response &res);
    void checkLoginStatus(const Fields &fields, httplib::Response &res);

    PortalContext &m_context;
};
