#include "SitePages.h"

#include "HostUrls.h"
#include "PageTemplates.h"
#include "PortalContext.h"
#include "Reply.h"
#include "Router.h"
#include "Text.h"
#include "Tiles.h"
#include "Visitor.h"

#include <httplib.h>

using Text::htmlEscape;

void SitePages::install(Router &router)
{
    auto bind = [this](void (SitePages::*handler)(const Req &, Res &)) {
        return [this, handler](const Req &req, Res &res) { (this->*handler)(req, res); };
    };
    router.get("/", [](const Req &, Res &res) {
        Reply::redirect(res, "/DODev_C/index.php?type=web&action=index&v2");
    });
    router.get("/user.php", bind(&SitePages::userCentre));
    router.get("/register.php", bind(&SitePages::registration));
    router.post("/register.php", bind(&SitePages::registration));
    router.get("/forgetpass.php", bind(&SitePages::forgetPassword));
    router.post("/forgetpass.php", bind(&SitePages::forgetPassword));
    router.get("/game.php", bind(&SitePages::gameServers));
    router.get("/game_server.php", bind(&SitePages::gameById));
    router.get(R"(/game_play/(\d+)\.html)", bind(&SitePages::playServer));
    router.get("/news/?", bind(&SitePages::newsList));
    router.get(R"(/news/(\d+)\.html)", bind(&SitePages::newsItem));
    router.get("/sy/download.php", bind(&SitePages::download));
    router.get("/dynamic.php", bind(&SitePages::feed));
    router.get("/DODev_C/avatar.php", bind(&SitePages::avatar));
    router.get("/DODev_C/DoAction.php", bind(&SitePages::logout));
    router.get(R"(/(\w+)/?)", bind(&SitePages::gameHost));
}

void SitePages::userCentre(const Req &req, Res &res)
{
    const HostUrls urls = HostUrls::of(req, m_context);
    const Visitor v = Visitor::of(req, m_context.accounts);
    if (!v.loggedIn()) return Reply::html(res, m_templates.notice("请先登录", "登录游戏盒后即可进入用户中心。", urls));
    const Account &a = *v.account;
    PageTemplates::Vars vars {{"userId", std::to_string(a.id)}, {"nick", htmlEscape(v.nick)},
                              {"userName", htmlEscape(a.name)}, {"email", htmlEscape(a.email)},
                              {"level", std::to_string(a.level)}, {"points", std::to_string(a.points)},
                              {"balance", a.balanceText()}};
    for (const Account &small : m_context.accounts.smallAccounts(a.id))
        vars["smallAccounts"] += "<li>" + htmlEscape(small.name) + "（ID " + std::to_string(small.id) + "）</li>";
    for (const Collection &c : m_context.collections.of(a.id)) {
        const Game *g = m_context.catalog.byId(c.gameId);
        const GameServer *s = m_context.catalog.server(c.serverId);
        if (g && s) vars["collections"] += "<li>" + htmlEscape(g->name) + " " + Tiles::serverLink(*s) + "</li>";
    }
    for (const FeedPost &p : m_context.feed.posts()) {
        if (p.userId == a.id) vars["posts"] += "<li>" + htmlEscape(p.time) + " " + htmlEscape(p.content) + "</li>";
    }
    for (const char *key : {"smallAccounts", "collections", "posts"}) {
        if (vars[key].empty()) vars[key] = "<li class=\"empty\">暂无</li>";
    }
    Reply::html(res, m_templates.page("用户中心", "user", vars, urls, true, v.label()));
}

void SitePages::registration(const Req &req, Res &res)
{
    const HostUrls urls = HostUrls::of(req, m_context);
    const std::string name = Text::trim(Reply::param(req, "user_name"));
    std::string message;
    if (req.method == "POST") {
        const std::string password = Reply::param(req, "password");
        if (password.size() < 6) message = "密码至少6位";
        else if (password != Reply::param(req, "password2")) message = "两次输入的密码不一致";
        else {
            switch (m_context.accounts.registerAccount(0, name, Text::md5Hex(password), nullptr)) {
            case AccountStore::Register::Ok:
                return Reply::html(res, m_templates.notice("注册成功", "账号 " + name + " 已注册，请在游戏盒中登录。", urls));
            case AccountStore::Register::NameTaken: message = "账号名称已经存在"; break;
            default: message = "账号不合法：4-20位字母、数字或下划线"; break;
            }
        }
    }
    Reply::html(res, m_templates.page("注册", "register",
                                      {{"message", htmlEscape(message)}, {"userName", htmlEscape(name)}}, urls, true));
}

void SitePages::forgetPassword(const Req &req, Res &res)
{
    const HostUrls urls = HostUrls::of(req, m_context);
    const std::string name = Text::trim(Reply::param(req, "user_name"));
    std::string message;
    if (req.method == "POST") {
        auto account = m_context.accounts.byName(name);
        message = account ? "重置邮件已发送到 " + account->email : "账号不存在!";
    }
    Reply::html(res, m_templates.page("找回密码", "forgetpass",
                                      {{"message", htmlEscape(message)}, {"userName", htmlEscape(name)}}, urls, true));
}

void SitePages::gameServers(const Req &req, Res &res)
{
    const HostUrls urls = HostUrls::of(req, m_context);
    const Game *game = m_context.catalog.byHost(Reply::param(req, "host"));
    if (!game || game->servers.empty()) {
        res.status = 404;
        return Reply::html(res, m_templates.notice("游戏不存在", "没有找到这个游戏。", urls));
    }
    std::string servers;
    for (auto it = game->servers.rbegin(); it != game->servers.rend(); ++it)
        servers += "<li>" + Tiles::serverLink(*it) + "<small>" + it->opens + " 开服</small></li>";
    const GameServer &newest = game->servers.back();
    Reply::html(res, m_templates.page(game->name + " - 选择服务器", "game",
                                      {{"gameName", htmlEscape(game->name)}, {"intro", htmlEscape(game->intro)},
                                       {"color", game->color}, {"gameId", std::to_string(game->id)},
                                       {"newestId", std::to_string(newest.id)},
                                       {"newestName", htmlEscape(newest.name)}, {"servers", servers}},
                                      urls));
}

void SitePages::gameById(const Req &req, Res &res)
{
    const Game *game = m_context.catalog.byId(Reply::id(req, "id"));
    if (!game || game->kind != Game::Kind::Web) {
        res.status = 404;
        return Reply::html(res, m_templates.notice("游戏不存在", "没有找到这个游戏。", HostUrls::of(req, m_context)));
    }
    Reply::redirect(res, "/game.php?client=pcclient&host=" + game->host);
}

void SitePages::playServer(const Req &req, Res &res)
{
    // A browser gets here with its cookies; the client builds the game_play address itself.
    const Visitor v = Visitor::of(req, m_context.accounts);
    const HostUrls urls = HostUrls::of(req, m_context);
    if (!v.loggedIn()) return Reply::html(res, m_templates.notice("请先登录", "登录游戏盒后即可进入游戏。", urls));
    const std::string token = Text::cookie(req.get_header_value("Cookie"), "user_token");
    Reply::redirect(res, "/DODev_C/index.php?type=web&action=game_play&server_id=" + req.matches[1].str()
                             + "&user_id=" + std::to_string(v.userId) + "&user_name=" + v.account->name
                             + "&user_token=" + token + "&user_email=" + v.account->email);
}

std::string SitePages::who(const Req &req) const
{
    return Visitor::of(req, m_context.accounts).label();
}

void SitePages::newsList(const Req &req, Res &res)
{
    std::string content = "<ul class=\"news\">";
    for (const NewsItem &n : m_context.catalog.news()) {
        content += "<li><a href=\"/news/" + std::to_string(n.id) + ".html\">" + htmlEscape(n.title)
                   + "</a><span>" + n.date + "</span></li>";
    }
    Reply::html(res, m_templates.page("新闻公告", "articles", {{"heading", "新闻公告"}, {"content", content + "</ul>"}},
                                      HostUrls::of(req, m_context), true, who(req)));
}

void SitePages::newsItem(const Req &req, Res &res)
{
    const HostUrls urls = HostUrls::of(req, m_context);
    const NewsItem *n = m_context.catalog.newsItem(Reply::toId(req.matches[1].str()));
    if (!n) {
        res.status = 404;
        return Reply::html(res, m_templates.notice("新闻不存在", "这条新闻已经下线。", urls));
    }
    Reply::html(res, m_templates.page(n->title, "articles",
                                      {{"heading", htmlEscape(n->title)},
                                       {"content", "<p class=\"date\">" + n->date + "</p><p>" + htmlEscape(n->body)
                                                       + "</p><p><a href=\"/news\">返回新闻列表</a></p>"}},
                                      urls, true, who(req)));
}

void SitePages::download(const Req &req, Res &res)
{
    const HostUrls urls = HostUrls::of(req, m_context);
    const Game *app = m_context.catalog.byHost(Reply::param(req, "appid"));
    PageTemplates::Vars vars {{"heading", "下载 Korvo游戏盒"}, {"intro", "一个客户端，畅玩全部网页游戏与H5游戏。"},
                              {"file", "/sy/KorvoBox_Setup.exe"}, {"version", m_context.latestVersion()}};
    if (app && app->kind == Game::Kind::App) {
        vars = {{"heading", "下载 " + htmlEscape(app->name)}, {"intro", htmlEscape(app->intro)},
                {"file", "/sy/" + app->host + ".apk"}, {"version", "2.3.0"}};
    }
    for (const Game &g : m_context.catalog.games(Game::Kind::App)) vars["apps"] += Tiles::app(g, urls);
    Reply::html(res, m_templates.page("下载中心", "download", vars, urls, true, who(req)));
}

void SitePages::feed(const Req &req, Res &res)
{
    std::string posts;
    for (const FeedPost &p : m_context.feed.posts()) {
        posts += "<li><b>" + htmlEscape(p.account) + "</b> <small>" + htmlEscape(p.time) + "</small><p>"
                 + htmlEscape(p.content) + "</p><img src=\"" + htmlEscape(p.attachment) + "\" alt=\"\"></li>";
    }
    if (posts.empty()) posts = "<li class=\"empty\">还没有动态</li>";
    Reply::html(res, m_templates.page("动态中心", "dynamic", {{"posts", posts}}, HostUrls::of(req, m_context), true,
                                      who(req)));
}

void SitePages::avatar(const Req &req, Res &res)
{
    const int userId = Reply::id(req, "user_id");
    const int picture = m_context.accounts.byId(userId) ? userId % 4 + 1 : 0;
    auto png = m_templates.readFile("static/avatar/" + std::to_string(picture) + ".png");
    if (!png) {
        res.status = 404;
        return;
    }
    res.set_content(*png, "image/png");
}

void SitePages::logout(const Req &req, Res &res)
{
    if (Reply::param(req, "a") == "logout") {
        for (const char *name : {"plat_userid", "user_id", "user_name", "user_email", "user_nick", "user_token",
                                 "user_login_time"})
            res.set_header("Set-Cookie", std::string(name) + "=; Path=/; Max-Age=0");
    }
    Reply::html(res, m_templates.notice("已退出", "您已退出网站登录。", HostUrls::of(req, m_context)));
}

void SitePages::gameHost(const Req &req, Res &res)
{
    const Game *game = m_context.catalog.byHost(req.matches[1].str());
    if (!game || game->kind != Game::Kind::Web) {
        res.status = 404;
        return Reply::html(res, m_templates.notice("页面不存在", "没有这个页面。", HostUrls::of(req, m_context)));
    }
    Reply::redirect(res, "/game.php?client=pcclient&host=" + game->host);
}
