#include "Tiles.h"

#include "HostUrls.h"
#include "Text.h"

namespace Tiles {

using Text::htmlEscape;
using Text::jsEscape;

std::string firstChar(const std::string &utf8)
{
    if (utf8.empty()) return std::string();
    const unsigned char lead = static_cast<unsigned char>(utf8[0]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return utf8.substr(0, length);
}

static std::string icon(const Game &game)
{
    return "<span class=\"icon\" style=\"background:" + game.color + "\">"
           + htmlEscape(firstChar(game.name)) + "</span>";
}

static std::string openGameCall(const Game &game, const char *type, const std::string &fallback)
{
    return "return korvo.openGame('" + jsEscape(game.host) + "', '" + jsEscape(game.name) + "', '"
           + type + "', '" + jsEscape(fallback) + "')";
}

std::string web(const Game &game, const HostUrls &urls)
{
    const std::string newest = game.servers.empty() ? "0" : std::to_string(game.servers.back().id);
    return "<div class=\"tile\"><a href=\"/" + htmlEscape(game.host) + "\" target=\"_blank\">" + icon(game)
           + "<b>" + htmlEscape(game.name) + "</b></a><small>" + htmlEscape(game.genre)
           + "</small><span class=\"links\"><a href=\"/game_server.php?id=" + std::to_string(game.id)
           + "\" target=\"_blank\">选服</a> <a href=\"/game_play/" + newest
           + ".html\" target=\"_blank\">最新服</a> <a href=\"#\" onclick=\""
           + htmlEscape(openGameCall(game, "", urls.portal + "/game.php?client=pcclient&host=" + game.host))
           + "\">进入</a></span></div>";
}

std::string h5(const Game &game, const HostUrls &urls)
{
    const std::string url = urls.h5 + "/" + game.host;
    return "<div class=\"tile\"><a href=\"" + htmlEscape(url) + "\" target=\"_blank\">" + icon(game) + "<b>"
           + htmlEscape(game.name) + "</b></a><small>" + htmlEscape(game.intro)
           + "</small><span class=\"links\"><a href=\"#\" onclick=\""
           + htmlEscape(openGameCall(game, "h5", url)) + "\">开始玩</a></span></div>";
}

std::string app(const Game &game, const HostUrls &urls)
{
    const std::string url = urls.portal + "/sy/download.php?appid=" + game.host + "&from=korvo_dodev";
    return "<div class=\"tile\">" + icon(game) + "<b>" + htmlEscape(game.name) + "</b><small>"
           + htmlEscape(game.intro) + "</small><span class=\"links\"><a href=\"#\" onclick=\""
           + htmlEscape(openGameCall(game, "app", url)) + "\">下载</a></span></div>";
}

std::string any(const Game &game, const HostUrls &urls)
{
    switch (game.kind) {
    case Game::Kind::Web: return web(game, urls);
    case Game::Kind::H5: return h5(game, urls);
    case Game::Kind::App: return app(game, urls);
    }
    return std::string();
}

std::string serverLink(const GameServer &server)
{
    return "<a href=\"/game_play/" + std::to_string(server.id) + ".html\" target=\"_blank\">"
           + htmlEscape(server.name) + "</a>";
}

std::string webRow(const Game &game, const HostUrls &urls, const std::string &today)
{
    std::string servers;
    // The three newest servers, newest first.
    for (size_t i = game.servers.size(), shown = 0; i > 0 && shown < 3; --i, ++shown) {
        const GameServer &s = game.servers[i - 1];
        servers += serverLink(s) + (s.opens == today ? "<em>今日新服</em>" : "") + " ";
    }
    return "<tr><td><a href=\"/" + htmlEscape(game.host) + "\" target=\"_blank\">" + icon(game) + " "
           + htmlEscape(game.name) + "</a></td><td>" + htmlEscape(game.genre) + "</td><td>" + servers
           + "</td><td><a href=\"/game_server.php?id=" + std::to_string(game.id)
           + "\" target=\"_blank\">选服</a> <a href=\"#\" onclick=\""
           + htmlEscape(openGameCall(game, "", urls.portal + "/game.php?client=pcclient&host=" + game.host))
           + "\">进入游戏</a></td></tr>";
}
}
