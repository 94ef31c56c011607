#include "ControlApi.h"

#include "PortalContext.h"
#include "Reply.h"
#include "Router.h"
#include "Text.h"

#include <httplib.h>

namespace {

std::string value(const std::map<std::string, std::string> &params, const char *key)
{
    auto it = params.find(key);
    return it == params.end() ? std::string() : it->second;
}

nlohmann::json failure(int *status, const std::string &error)
{
    *status = 400;
    return {{"ok", false}, {"error", error}};
}
}

void ControlApi::install(Router &router)
{
    router.control("/__control", [this](const httplib::Request &req, httplib::Response &res) {
        int status = 200;
        nlohmann::json reply = run(params(req), &status);
        res.status = status;
        Reply::json(res, reply);
    });
    router.control("/__log", [this](const httplib::Request &req, httplib::Response &res) { log(req, res); });
}

std::map<std::string, std::string> ControlApi::params(const httplib::Request &req)
{
    std::map<std::string, std::string> result(req.params.begin(), req.params.end());
    if (req.method != "POST" || req.get_header_value("Content-Type").find("json") == std::string::npos)
        return result;
    auto body = nlohmann::json::parse(req.body, nullptr, false);
    if (!body.is_object()) return result;
    for (const auto &[key, item] : body.items()) {
        if (item.is_string()) result[key] = item.get<std::string>();
        else if (item.is_boolean()) result[key] = item.get<bool>() ? "1" : "0";
        else if (item.is_number_integer()) result[key] = std::to_string(item.get<long long>());
    }
    return result;
}

nlohmann::json ControlApi::run(const std::map<std::string, std::string> &params, int *status)
{
    const std::string op = value(params, "op");
    if (op == "fault") return setFault(params, status);
    if (op == "clear") {
        m_context.faults.clear(value(params, "endpoint"));
    } else if (op == "revoke") {
        return revoke(params, status);
    } else if (op == "latest_version") {
        const std::string version = value(params, "version");
        if (version.empty() || version.size() > 32) return failure(status, "version required");
        m_context.setLatestVersion(version);
    } else if (op == "login") {
        return login(params, status);
    } else if (op == "reset") {
        m_context.accounts.reset();
        m_context.collections.reset();
        m_context.feed.reset();
        m_context.faults.clear();
    } else if (op == "clear_log") {
        m_context.log.clear();
    } else if (op != "state" && !op.empty()) {
        return failure(status, "unknown op: " + op);
    }
    return state();
}

nlohmann::json ControlApi::setFault(const std::map<std::string, std::string> &params, int *status)
{
    const std::string endpoint = value(params, "endpoint");
    if (endpoint.empty()) return failure(status, "endpoint required");
    std::string error;
    auto fault = Fault::fromParams(params, &error);
    if (!fault) return failure(status, error);
    m_context.faults.set(endpoint, *fault);
    return state();
}

nlohmann::json ControlApi::revoke(const std::map<std::string, std::string> &params, int *status)
{
    const std::string token = value(params, "token");
    const int userId = Reply::toId(value(params, "user_id"));
    if (token.empty() && userId == 0) return failure(status, "user_id or token required");
    const int count = token.empty() ? m_context.accounts.revokeUser(userId) : m_context.accounts.revokeToken(token);
    return {{"ok", true}, {"revoked", count}};
}

nlohmann::json ControlApi::login(const std::map<std::string, std::string> &params, int *status)
{
    // A token without the envelope, for tests that need a logged-in client quickly.
    auto account = m_context.accounts.byName(value(params, "user_name"));
    if (!account) return failure(status, "no such account");
    return {{"ok", true},
            {"user_id", std::to_string(account->id)},
            {"user_name", account->name},
            {"user_token", m_context.accounts.issueToken(account->id)}};
}

nlohmann::json ControlApi::state() const
{
    return {{"ok", true},
            {"faults", m_context.faults.toJson()},
            {"latest_version", m_context.latestVersion()},
            {"log_size", m_context.log.size()},
            {"portal_port", m_context.portalPort},
            {"h5_port", m_context.h5Port}};
}

void ControlApi::log(const httplib::Request &req, httplib::Response &res)
{
    const std::string from = Reply::param(req, "from");
    const size_t start = Text::isDigits(from) ? std::stoul(from) : 0;
    res.set_header("X-Log-Size", std::to_string(m_context.log.size()));
    res.set_content(m_context.log.lines(start), "application/x-ndjson; charset=utf-8");
}
