#pragma once

#include <optional>
#include <string>
#include <vector>

struct GameServer {
    int id = 0;
    int gameId = 0;
    std::string name;
    std::string opens;   // opening date, yyyy-MM-dd
};

struct Game {
    enum class Kind { Web, H5, App };
    int id = 0;
    Kind kind = Kind::Web;
    std::string host;    // one word; the app id for app games
    std::string name;
    std::string genre;
    std::string intro;
    std::string color;   // tile colour of the lists
    std::vector<GameServer> servers;
};

struct NewsItem {
    int id = 0;
    std::string title;
    std::string date;
    std::string body;
};

// The games, their servers and the news of the stand-in; fixed at start.
class GameCatalog
{
public:
    GameCatalog();

    const std::vector<Game> &games() const { return m_games; }
    std::vector<Game> games(Game::Kind kind) const;
    const Game *byId(int id) const;
    const Game *byHost(const std::string &host) const;
    const GameServer *server(int serverId) const;
    const Game *gameOfServer(int serverId) const;
    const std::vector<NewsItem> &news() const { return m_news; }
    const NewsItem *newsItem(int id) const;

private:
    void addWebGame(int id, const char *host, const char *name, const char *genre,
                    const char *intro, const char *color, int servers);
    std::vector<Game> m_games;
    std::vector<NewsItem> m_news;
};
