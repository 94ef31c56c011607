#pragma once

#include <map>
#include <string>

#include <nlohmann/json.hpp>

namespace httplib { struct Request; struct Response; }
struct PortalContext;
class Router;

// Test controls on the portal host: "/__control" (faults, token revocation,
// latest version, reset, state) and "/__log" (the request log as JSON lines).
class ControlApi
{
public:
    explicit ControlApi(PortalContext &context) : m_context(context) {}
    void install(Router &router);

    // Parameters from the query, a form body or a JSON object body.
    static std::map<std::string, std::string> params(const httplib::Request &req);

private:
    nlohmann::json run(const std::map<std::string, std::string> &params, int *status);
    nlohmann::json setFault(const std::map<std::string, std::string> &params, int *status);
    nlohmann::json revoke(const std::map<std::string, std::string> &params, int *status);
    nlohmann::json login(const std::map<std::string, std::string> &params, int *status);
    nlohmann::json state() const;
    void log(const httplib::Request &req, httplib::Response &res);

    PortalContext &m_context;
};
