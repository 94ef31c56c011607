#include "PortalPages.h"

#include "HostUrls.h"
#include "PageTemplates.h"
#include "PortalContext.h"
#include "Reply.h"
#include "SkinPackages.h"
#include "Text.h"
#include "Tiles.h"
#include "Visitor.h"

#include <httplib.h>

#include <algorithm>
#include <ctime>

using Text::htmlEscape;

namespace {

// Table rows of the current month, signed days marked.
std::string calendarRows(const std::set<std::string> &signedDays, const std::string &today, int *count)
{
    std::time_t now = std::time(nullptr);
    std::tm first {};
    localtime_r(&now, &first);
    first.tm_mday = 1;
    std::mktime(&first);
    std::tm next = first;
    next.tm_mon += 1;
    const int length = static_cast<int>(std::difftime(std::mktime(&next), std::mktime(&first)) / 86400 + 0.5);
    std::string weeks = "<tr>";
    for (int i = 0; i < first.tm_wday; ++i) weeks += "<td></td>";
    for (int day = 1; day <= length; ++day) {
        char date[16];
        snprintf(date, sizeof date, "%s-%02d", today.substr(0, 7).c_str(), day);
        const bool signedIn = signedDays.count(date) > 0;
        *count += signedIn;
        weeks += std::string("<td class=\"") + (signedIn ? "signed" : "") + (date == today ? " today" : "")
                 + "\">" + std::to_string(day) + "</td>";
        if ((first.tm_wday + day) % 7 == 0 && day < length) weeks += "</tr><tr>";
    }
    return weeks + "</tr>";
}
}

void PortalPages::handle(const std::string &action, const httplib::Request &req, httplib::Response &res)
{
    const HostUrls urls = HostUrls::of(req, m_context);
    if (action == "index") Reply::html(res, home(urls));
    else if (action == "left") Reply::html(res, left(req, urls));
    else if (action == "web_game" || action == "web_game_type" || action == "server_list"
             || action == "web_game_last")
        Reply::html(res, gameList(action, req, urls));
    else if (action == "mobile_game" || action == "h5_game" || action == "left_bottom_three")
        Reply::html(res, cards(action, urls));
    else if (action == "game_play") Reply::html(res, gamePlay(req, urls));
    else if (action == "Vip_privilege") Reply::html(res, vip(req, urls));
    else if (action == "user_signCalendar") Reply::html(res, signCalendar(req, urls));
    else if (action == "skin") Reply::html(res, skinList(req, urls));
    else {
        res.status = 404;
        Reply::html(res, m_templates.notice("页面不存在", "没有这个页面：" + action, urls));
    }
}

std::string PortalPages::home(const HostUrls &urls) const
{
    const GameCatalog &catalog = m_context.catalog;
    const Game &banner = *catalog.byId(1);
    PageTemplates::Vars vars {{"bannerGame", htmlEscape(banner.name)},
                              {"bannerServer", htmlEscape(banner.servers.back().name)},
                              {"bannerServerId", std::to_string(banner.servers.back().id)},
                              {"bannerHost", banner.host},
                              {"bannerIntro", htmlEscape(banner.intro)}};
    for (const Game &g : catalog.games(Game::Kind::Web)) vars["webTiles"] += Tiles::web(g, urls);
    for (const Game &g : catalog.games(Game::Kind::H5)) vars["h5Tiles"] += Tiles::h5(g, urls);
    for (const Game &g : catalog.games(Game::Kind::App)) vars["appTiles"] += Tiles::app(g, urls);
    for (const NewsItem &n : catalog.news()) {
        vars["newsItems"] += "<li><a href=\"/news/" + std::to_string(n.id) + ".html\" target=\"_blank\">"
                             + htmlEscape(n.title) + "</a><span>" + n.date + "</span></li>";
    }
    return m_templates.page("Korvo游戏盒 - 首页", "index", vars, urls);
}

std::string PortalPages::left(const httplib::Request &req, const HostUrls &urls) const
{
    const Visitor visitor = Visitor::of(req, m_context.accounts);
    PageTemplates::Vars vars;
    if (visitor.account) {
        const Account &a = *visitor.account;
        vars["userBlock"] = m_templates.fill(
            "left_user", {{"userId", std::to_string(a.id)}, {"nick", htmlEscape(visitor.nick)},
                          {"level", std::to_string(a.level)}, {"points", std::to_string(a.points)},
                          {"balance", a.balanceText()}, {"portal", urls.portal}});
        for (int serverId : m_context.accounts.recentPlays(a.id)) {
            const Game *g = m_context.catalog.gameOfServer(serverId);
            const GameServer *s = m_context.catalog.server(serverId);
            if (!g || !s) continue;
            // This panel has no new-window routing, so games open through the bridge.
            vars["recent"] += "<li><a href=\"#\" onclick=\"return korvo.openGame('" + Text::jsEscape(g->host)
                              + "', '" + Text::jsEscape(g->name) + "', '', '')\">" + htmlEscape(g->name)
                              + " · " + htmlEscape(s->name) + "</a></li>";
        }
    } else {
        vars["userBlock"] = m_templates.fill("left_guest", {});
    }
    if (vars["recent"].empty()) vars["recent"] = "<li class=\"empty\">暂无记录</li>";
    for (const Game &g : m_context.catalog.games(Game::Kind::Web)) {
        if (g.id > 3) break;
        vars["recommend"] += "<li><a href=\"#\" onclick=\"return korvo.openGame('" + Text::jsEscape(g.host)
                             + "', '" + Text::jsEscape(g.name) + "', '', '')\">" + htmlEscape(g.name) + "</a></li>";
    }
    return m_templates.page("用户面板", "left", vars, urls);
}

std::string PortalPages::gameList(const std::string &action, const httplib::Request &req,
                                  const HostUrls &urls) const
{
    const std::string keyword = Reply::param(req, "keyword");
    const std::string genre = Reply::param(req, "genre");
    const bool todayOnly = Reply::param(req, "tab") == "today" || action == "server_list";
    const std::string today = Text::today();
    std::vector<int> recent = m_context.accounts.recentPlays(Visitor::of(req, m_context.accounts).userId);
    PageTemplates::Vars vars {{"heading", "网页游戏"}};
    std::vector<std::string> genres;
    for (const Game &g : m_context.catalog.games(Game::Kind::Web)) {
        if (std::find(genres.begin(), genres.end(), g.genre) == genres.end()) genres.push_back(g.genre);
        const bool played = std::any_of(recent.begin(), recent.end(), [&](int sid) {
            const Game *played = m_context.catalog.gameOfServer(sid);
            return played && played->id == g.id;
        });
        const bool openedToday = !g.servers.empty() && g.servers.back().opens == today;
        if ((!keyword.empty() && g.name.find(keyword) == std::string::npos && g.host != keyword)
            || (!genre.empty() && g.genre != genre) || (todayOnly && action != "server_list" && !openedToday)
            || (action == "web_game_last" && !played))
            continue;
        vars["rows"] += Tiles::webRow(g, urls, today);
    }
    for (const std::string &g : genres) {
        vars["genreLinks"] += "<a href=\"" + urls.index() + "?type=web&amp;action=web_game_type&amp;v2&amp;genre="
                              + Text::percentEncode(g) + "\" target=\"_blank\">" + htmlEscape(g) + "</a> ";
    }
    if (!keyword.empty()) vars["heading"] = "搜索：" + htmlEscape(keyword);
    else if (todayOnly) vars["heading"] = action == "server_list" ? "开服表" : "今日开服";
    else if (action == "web_game_last") vars["heading"] = "最近玩过";
    else if (!genre.empty()) vars["heading"] = htmlEscape(genre);
    if (vars["rows"].empty()) vars["empty"] = "没有找到相关游戏";
    return m_templates.page("网页游戏", "game_list", vars, urls);
}

std::string PortalPages::cards(const std::string &action, const HostUrls &urls) const
{
    PageTemplates::Vars vars;
    std::vector<Game> games;
    if (action == "mobile_game") {
        games = m_context.catalog.games(Game::Kind::App);
        vars = {{"heading", "手机游戏"}, {"intro", "扫码或点击下载，手机上也能玩。"}};
    } else if (action == "h5_game") {
        games = m_context.catalog.games(Game::Kind::H5);
        vars = {{"heading", "H5小游戏"}, {"intro", "无需下载，点开即玩。"}};
    } else {
        // Three picks for the small-account side bar.
        games = {*m_context.catalog.byId(2), *m_context.catalog.byId(3), *m_context.catalog.byId(21)};
        vars = {{"heading", "猜你喜欢"}, {"intro", ""}};
    }
    for (const Game &g : games) vars["tiles"] += Tiles::any(g, urls);
    return m_templates.page(vars["heading"], "cards", vars, urls);
}

std::string PortalPages::gamePlay(const httplib::Request &req, const HostUrls &urls) const
{
    const int serverId = Reply::id(req, "server_id");
    const int userId = Reply::id(req, "user_id");
    const Game *game = m_context.catalog.gameOfServer(serverId);
    const GameServer *server = m_context.catalog.server(serverId);
    if (!game || !server) return m_templates.notice("服务器不存在", "请返回重新选择服务器。", urls);
    auto account = m_context.accounts.byId(userId);
    if (!account || account->name != Reply::param(req, "user_name")
        || !m_context.accounts.tokenValid(userId, Reply::param(req, "user_token")))
        return m_templates.notice("登录状态无效", "请重新登录游戏盒后再进入游戏。", urls);
    m_context.accounts.recordPlay(userId, serverId);
    return m_templates.page(game->name + " - " + server->name, "game_play",
                            {{"userName", htmlEscape(account->name)}, {"nick", htmlEscape(account->nick)},
                             {"gameName", htmlEscape(game->name)}, {"serverName", htmlEscape(server->name)},
                             {"script", game->id % 2 ? "bricks" : "snake"},
                             {"hint", "方向键或鼠标操作，空格键重新开始。"}},
                            urls);
}

std::string PortalPages::vip(const httplib::Request &req, const HostUrls &urls) const
{
    const int userId = Reply::id(req, "user_id");
    auto account = m_context.accounts.byId(userId);
    if (!account || !m_context.accounts.tokenValid(userId, Reply::param(req, "user_token")))
        return m_templates.notice("登录状态无效", "请重新登录后查看VIP特权。", urls);
    static const char *const perks[] = {"每日签到积分", "专属客服", "礼包加倍", "充值返利1%",
                                        "充值返利3%", "专属坐骑", "生日豪礼"};
    std::string rows;
    for (int level = 0; level <= 6; ++level) {
        rows += std::string("<tr") + (level == account->level ? " class=\"current\"" : "") + "><td>VIP"
                + std::to_string(level) + "</td><td>" + std::to_string(level * level * 100) + "元</td><td>"
                + perks[level] + "</td></tr>";
    }
    return m_templates.page("VIP特权", "vip",
                            {{"nick", htmlEscape(account->nick)}, {"level", std::to_string(account->level)},
                             {"rows", rows}},
                            urls);
}

std::string PortalPages::signCalendar(const httplib::Request &req, const HostUrls &urls) const
{
    // The account the cookies name, else the one of the query: a client that
    // shows several accounts' calendars sees each page as its own account.
    const Visitor visitor = Visitor::of(req, m_context.accounts);
    const int userId = visitor.userId;
    if (!visitor.account) return m_templates.notice("请先登录", "登录后才能签到。", urls);
    const std::string today = Text::today();
    std::string message;
    if (Reply::param(req, "do") == "sign") {
        const bool first = m_context.accounts.signIn(userId, today);
        if (first) m_context.accounts.addPoints(userId, 10);
        message = first ? "签到成功，获得10积分！" : "今天已经签到过了。";
    }
    int count = 0;
    const std::set<std::string> days = m_context.accounts.signedDays(userId);
    const std::string weeks = calendarRows(days, today, &count);
    return m_templates.page("签到日历", "sign",
                            {{"month", today.substr(0, 7)}, {"message", htmlEscape(message)},
                             {"points", std::to_string(m_context.accounts.byId(userId)->points)},
                             {"count", std::to_string(count)}, {"weeks", weeks},
                             {"userId", std::to_string(userId)}, {"userName", htmlEscape(visitor.account->name)},
                             {"signed", days.count(today) ? "1" : "0"}},
                            urls);
}

std::string PortalPages::skinList(const httplib::Request &req, const HostUrls &urls) const
{
    const std::string current = Reply::param(req, "skin_code");
    std::string tiles = "<div class=\"tile skin\"><span class=\"preview default\"></span><b>默认皮肤</b>"
                        + std::string(current.empty() ? "<em>使用中</em>" : "")
                        + "<a href=\"#\" onclick=\"return korvo.openUrl('', 'default')\">使用</a></div>";
    for (const auto &skin : m_skins.skins()) {
        const std::string zip = urls.portal + "/skins/" + skin.name + ".zip";
        tiles += "<div class=\"tile skin\"><img class=\"preview\" src=\"/skins/" + skin.name
                 + "/photo.jpg\" alt=\"\"><b>" + htmlEscape(skin.title) + "</b>"
                 + (current == skin.name ? "<em>使用中</em>" : "") + "<a href=\"#\" onclick=\"return korvo.openUrl('"
                 + Text::jsEscape(zip) + "', '" + Text::jsEscape(skin.name) + "')\">使用</a></div>";
    }
    return m_templates.page("皮肤设置", "skin", {{"skins", tiles}}, urls);
}
