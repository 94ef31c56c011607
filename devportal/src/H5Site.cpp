#include "H5Site.h"

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

namespace {

const Game *h5Game(const GameCatalog &catalog, const std::string &host)
{
    const Game *game = catalog.byHost(host);
    return game && game->kind == Game::Kind::H5 ? game : nullptr;
}

std::string playerText(const Visitor &v)
{
    return v.account ? "玩家：" + v.nick : std::string("游客试玩");
}
}

void H5Site::install(Router &router)
{
    router.get("/", [this](const Req &req, Res &res) { home(req, res); });
    router.get("/card_list.php", [this](const Req &req, Res &res) { cards(req, res); });
    router.get(R"(/games/(\w+)(/.*)?)", [this](const Req &req, Res &res) { play(req, res); });
    router.get(R"(/(\w+)/?)", [this](const Req &req, Res &res) { intro(req, res); });
}

void H5Site::home(const Req &req, Res &res)
{
    const HostUrls urls = HostUrls::of(req, m_context);
    std::string tiles;
    for (const Game &g : m_context.catalog.games(Game::Kind::H5)) {
        tiles += "<div class=\"tile\"><a href=\"/" + g.host + "\"><span class=\"icon\" style=\"background:" + g.color
                 + "\">" + htmlEscape(Tiles::firstChar(g.name)) + "</span><b>" + htmlEscape(g.name)
                 + "</b></a><small>" + htmlEscape(g.intro) + "</small></div>";
    }
    Reply::html(res, m_templates.page("H5小游戏", "cards",
                                      {{"heading", "H5小游戏"}, {"intro", "点开即玩"}, {"tiles", tiles}}, urls));
}

void H5Site::cards(const Req &req, Res &res)
{
    const Visitor v = Visitor::of(req, m_context.accounts);
    std::string content = "<ul class=\"gifts\">";
    for (const Game &g : m_context.catalog.games(Game::Kind::H5)) {
        const std::string code = v.account ? "H5" + Text::md5Hex(v.account->name + g.host).substr(0, 8)
                                           : std::string("登录后可见");
        content += "<li><b>" + htmlEscape(g.name) + " 礼包卡</b> 复活币×3 <span class=\"code\">" + code + "</span></li>";
    }
    Reply::html(res, m_templates.page("H5礼包卡", "articles",
                                      {{"heading", "H5礼包卡"}, {"content", content + "</ul>"}},
                                      HostUrls::of(req, m_context)));
}

void H5Site::intro(const Req &req, Res &res)
{
    const Game *game = h5Game(m_context.catalog, req.matches[1].str());
    if (!game) return notFound(req, res);
    const Visitor v = Visitor::of(req, m_context.accounts);
    Reply::html(res, m_templates.page(game->name, "h5_game",
                                      {{"gameName", htmlEscape(game->name)}, {"intro", htmlEscape(game->intro)},
                                       {"host", game->host}, {"color", game->color},
                                       {"initial", htmlEscape(Tiles::firstChar(game->name))},
                                       {"who", htmlEscape(playerText(v))}},
                                      HostUrls::of(req, m_context)));
}

void H5Site::play(const Req &req, Res &res)
{
    const Game *game = h5Game(m_context.catalog, req.matches[1].str());
    if (!game) return notFound(req, res);
    // "/games/<name>/<level>/<word>": the level is the first number after the name.
    const auto parts = Text::split(req.matches[2].str(), '/');
    const int level = parts.size() > 1 ? std::max(1, std::min(9, Reply::toId(parts[1]))) : 1;
    const Visitor v = Visitor::of(req, m_context.accounts);
    Reply::html(res, m_templates.page(game->name + " - 第" + std::to_string(level) + "关", "h5_play",
                                      {{"gameName", htmlEscape(game->name)}, {"host", game->host},
                                       {"level", std::to_string(level)}, {"who", htmlEscape(playerText(v))}},
                                      HostUrls::of(req, m_context)));
}

void H5Site::notFound(const Req &req, Res &res)
{
    res.status = 404;
    Reply::html(res, m_templates.notice("游戏不存在", "没有找到这个H5游戏。", HostUrls::of(req, m_context)));
}
