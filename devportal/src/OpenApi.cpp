#include "OpenApi.h"

#include "HostUrls.h"
#include "PortalContext.h"
#include "Reply.h"
#include "Router.h"
#include "Text.h"

#include <httplib.h>

namespace {

std::string regexEscape(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) out += '\\';
        out += c;
    }
    return out;
}
}

void OpenApi::install(Router &router)
{
    router.post(
        "/DODev_C/index.php",
        [this](const httplib::Request &req, httplib::Response &res) {
            if (Reply::param(req, "type") == "open" && Reply::param(req, "action") == "dynamic_upimg")
                uploadImage(req, res);
            else
                Reply::error(res, 404, "未知接口");
        },
        classifyIndex);
}

void OpenApi::classifyIndex(const httplib::Request &req)
{
    RequestNote &note = RequestLog::note();
    const std::string type = Reply::param(req, "type");
    const std::string action = Reply::param(req, "action");
    if (!action.empty()) note.endpoint = action;
    if (type == "open" || type == "web") note.group = type;
}

void OpenApi::handle(const std::string &action, const httplib::Request &req, httplib::Response &res)
{
    if (action == "check_user_login_status") checkLoginStatus(req, res);
    else if (action == "game_list") gameList(req, res);
    else if (action == "user_collection_add") collectionAdd(req, res);
    else if (action == "user_collection") collectionList(req, res);
    else if (action == "user_collection_delete") collectionDelete(req, res);
    else if (action == "public_dynamic") publishDynamic(req, res);
    else if (action == "dynamic_upimg") uploadImage(req, res);
    else if (action == "url_interceptor") urlInterceptor(req, res);
    else if (action == "game_id_host_map") gameIdHostMap(res);
    else if (action == "check_update") checkUpdate(req, res);
    else Reply::error(res, 404, "未知接口");
}

void OpenApi::checkLoginStatus(const httplib::Request &req, httplib::Response &res)
{
    const int userId = Reply::id(req, "user_id");
    const std::string token = Reply::param(req, "token");
    if (userId == 0 || token.empty()) Reply::error(res, 400, "参数错误");
    else if (m_context.accounts.tokenValid(userId, token)) Reply::error(res, 200, "ok");
    else Reply::error(res, 401, "您的登录已失效,请重新登录");
}

void OpenApi::gameList(const httplib::Request &req, httplib::Response &res)
{
    // By the game's host, or by one of its servers (a client that opened a
    // server from a list and needs to know its game).
    const Game *game = req.has_param("server_id") ? m_context.catalog.gameOfServer(Reply::id(req, "server_id"))
                                                  : m_context.catalog.byHost(Reply::param(req, "game_host"));
    if (!game) {
        Reply::word(res, "query is empty");
        return;
    }
    Reply::json(res, nlohmann::json::array({{{"game_id", std::to_string(game->id)},
                                             {"game_name", game->name},
                                             {"game_host", game->host},
                                             {"server_count", std::to_string(game->servers.size())}}}));
}

void OpenApi::collectionAdd(const httplib::Request &req, httplib::Response &res)
{
    const int userId = Reply::id(req, "user_id");
    const int serverId = Reply::id(req, "server_id");
    const std::string host = Reply::param(req, "game_host");
    if (userId == 0 || serverId == 0 || host.empty()) return Reply::word(res, "params error");
    if (!m_context.accounts.byId(userId)) return Reply::word(res, "failed");
    const Game *game = m_context.catalog.byHost(host);
    if (!game || game->kind != Game::Kind::Web) return Reply::word(res, "game error");
    if (m_context.catalog.gameOfServer(serverId) != game) return Reply::word(res, "server error");
    switch (m_context.collections.add(userId, game->id, serverId)) {
    case CollectionStore::Add::Ok: return Reply::word(res, "success");
    case CollectionStore::Add::Already: return Reply::word(res, "already");
    case CollectionStore::Add::ServerLimit: return Reply::word(res, "server_6");
    case CollectionStore::Add::GameLimit: return Reply::word(res, "game_6");
    }
}

void OpenApi::collectionList(const httplib::Request &req, httplib::Response &res)
{
    const int userId = Reply::id(req, "user_id");
    if (userId == 0) return Reply::word(res, "params error");
    nlohmann::json list = nlohmann::json::array();
    for (const Collection &c : m_context.collections.of(userId)) {
        const Game *game = m_context.catalog.byId(c.gameId);
        const GameServer *server = m_context.catalog.server(c.serverId);
        if (!game || !server) continue;
        list.push_back({{"id", std::to_string(c.id)},
                        {"gid", std::to_string(c.gameId)},
                        {"sid", std::to_string(c.serverId)},
                        {"sname", server->name},
                        {"game", {{"name", game->name}, {"host", game->host}}}});
    }
    Reply::json(res, list);
}

void OpenApi::collectionDelete(const httplib::Request &req, httplib::Response &res)
{
    const int id = Reply::id(req, "collection_id");
    if (id == 0) return Reply::word(res, "params error");
    Reply::word(res, m_context.collections.remove(id) ? "success" : "failed");
}

void OpenApi::publishDynamic(const httplib::Request &req, httplib::Response &res)
{
    const int userId = Reply::id(req, "user_id");
    FeedPost post {0, userId, Reply::param(req, "account"), Reply::param(req, "content"),
                   Reply::param(req, "attachment"), {}};
    if (userId == 0 || post.account.empty()) return Reply::word(res, "params error");
    auto account = m_context.accounts.byId(userId);
    const bool valid = account && account->name == post.account && post.content.size() <= 2000
                       && m_context.feed.hasImage(post.attachment);
    if (!valid) return Reply::word(res, "failed");
    m_context.feed.publish(post);
    Reply::word(res, "success");
}

void OpenApi::uploadImage(const httplib::Request &req, httplib::Response &res)
{
    if (req.method != "POST" || !req.is_multipart_form_data() || !req.has_file("file")) {
        res.status = 400;
        return Reply::word(res, "params error");
    }
    const std::string data = req.get_file_value("file").content;
    if (data.size() < 4 || data.compare(0, 3, "\xFF\xD8\xFF") != 0
        || data.size() > FeedStore::maxImageBytes) {
        res.status = 400;
        return Reply::word(res, "file error");
    }
    Reply::word(res, m_context.feed.addImage(data));
}

void OpenApi::urlInterceptor(const httplib::Request &req, httplib::Response &res)
{
    // Links of these shapes are diverted to the payment page by the client.
    const std::string root = regexEscape(HostUrls::of(req, m_context).portal);
    Reply::json(res, {{"pay", {{"recharge", root + "/pay/.*"}}},
                      {"host", {{"cashier", ".*/cashier\\.php.*"}}}});
}

void OpenApi::gameIdHostMap(httplib::Response &res)
{
    nlohmann::json map = nlohmann::json::object();
    for (const Game &g : m_context.catalog.games(Game::Kind::Web)) map[std::to_string(g.id)] = g.host;
    Reply::json(res, map);
}

void OpenApi::checkUpdate(const httplib::Request &req, httplib::Response &res)
{
    const std::string version = m_context.latestVersion();
    Reply::json(res, {{"last_version", version},
                      {"down_url", HostUrls::of(req, m_context).portal
                                       + "/sy/download.php?from=update&version=" + version},
                      {"error", 0}});
}
