#pragma once

#include "GameCatalog.h"

#include <string>

struct HostUrls;

// HTML snippets for games in the portal's lists. Links that open games ask for a
// new window, which the client turns into a game tab.
namespace Tiles {

std::string firstChar(const std::string &utf8);
std::string web(const Game &game, const HostUrls &urls);
std::string h5(const Game &game, const HostUrls &urls);
std::string app(const Game &game, const HostUrls &urls);
std::string any(const Game &game, const HostUrls &urls);
std::string serverLink(const GameServer &server);
// One row of the web-game table: game, genre, newest servers, actions.
std::string webRow(const Game &game, const HostUrls &urls, const std::string &today);
}
