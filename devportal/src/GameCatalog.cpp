#include "GameCatalog.h"

#include <ctime>

namespace {

// Server opening dates count back from today so that the newest server opens today.
std::string daysAgo(int days)
{
    std::time_t t = std::time(nullptr) - static_cast<std::time_t>(days) * 86400;
    std::tm local {};
    localtime_r(&t, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y-%m-%d", &local);
    return buf;
}

const char *const serverWords[] = {"青龙", "白虎", "朱雀", "玄武", "麒麟", "凤凰", "鲲鹏", "应龙"};
}

GameCatalog::GameCatalog()
{
    // Eight servers in the first game and seven web games let a collection reach
    // both of the portal's limits.
    addWebGame(1, "xianxia", "仙侠传说", "角色扮演", "御剑江湖，修仙问道的经典仙侠网页游戏。", "#3b7dd8", 8);
    addWebGame(2, "longcheng", "龙城霸业", "角色扮演", "热血攻城，兄弟同心，一刀一个传说。", "#c0392b", 4);
    addWebGame(3, "sanguo", "三国战纪", "战争策略", "运筹帷幄，统领名将逐鹿中原。", "#8e6e3c", 3);
    addWebGame(4, "haidao", "海岛奇兵", "战争策略", "建设海岛基地，组建舰队征战四海。", "#16a085", 2);
    addWebGame(5, "moyu", "魔域迷踪", "角色扮演", "暗黑魔幻世界，挑战深渊首领。", "#6c3483", 2);
    addWebGame(6, "fengyun", "风云天下", "武侠", "快意恩仇，笑傲风云的武侠世界。", "#d35400", 2);
    addWebGame(7, "xingji", "星际远征", "科幻", "驾驶战舰探索未知星域。", "#2c3e50", 2);

    m_games.push_back({21, Game::Kind::H5, "snake", "贪吃蛇大作战", "休闲", "方向键控制小蛇吃豆变长。", "#27ae60", {}});
    m_games.push_back({22, Game::Kind::H5, "bricks", "弹球打砖块", "休闲", "左右移动挡板，击碎所有砖块。", "#e67e22", {}});
    m_games.push_back({31, Game::Kind::App, "1031", "口袋江湖", "角色扮演", "随身携带的江湖，手机上的武侠世界。", "#7f8c8d", {}});
    m_games.push_back({32, Game::Kind::App, "1032", "萌宠消消乐", "休闲", "三消闯关，收集可爱萌宠。", "#e84393", {}});

    m_news = {
        {1, "《仙侠传说》双线8服今日开启", daysAgo(0), "新服开启，首充双倍，冲级赢好礼。"},
        {2, "游戏盒1.5版本更新说明", daysAgo(3), "新增小号管理、截图分享与皮肤中心。"},
        {3, "积分商城上新：限定坐骑兑换", daysAgo(6), "每日签到领积分，限定坐骑等你来换。"},
    };
}

void GameCatalog::addWebGame(int id, const char *host, const char *name, const char *genre,
                             const char *intro, const char *color, int servers)
{
    Game game {id, Game::Kind::Web, host, name, genre, intro, color, {}};
    for (int n = 1; n <= servers; ++n) {
        const std::string label = "双线" + std::to_string(n) + "服 " + serverWords[(n - 1) % 8];
        game.servers.push_back({id * 100 + n, id, label, daysAgo((servers - n) * 7)});
    }
    m_games.push_back(game);
}

std::vector<Game> GameCatalog::games(Game::Kind kind) const
{
    std::vector<Game> result;
    for (const Game &g : m_games) {
        if (g.kind == kind) result.push_back(g);
    }
    return result;
}

const Game *GameCatalog::byId(int id) const
{
    for (const Game &g : m_games) {
        if (g.id == id) return &g;
    }
    return nullptr;
}

const Game *GameCatalog::byHost(const std::string &host) const
{
    for (const Game &g : m_games) {
        if (g.host == host) return &g;
    }
    return nullptr;
}

const GameServer *GameCatalog::server(int serverId) const
{
    const Game *game = gameOfServer(serverId);
    if (!game) return nullptr;
    for (const GameServer &s : game->servers) {
        if (s.id == serverId) return &s;
    }
    return nullptr;
}

const Game *GameCatalog::gameOfServer(int serverId) const
{
    for (const Game &g : m_games) {
        for (const GameServer &s : g.servers) {
            if (s.id == serverId) return &g;
        }
    }
    return nullptr;
}

const NewsItem *GameCatalog::newsItem(int id) const
{
    for (const NewsItem &n : m_news) {
        if (n.id == id) return &n;
    }
    return nullptr;
}
