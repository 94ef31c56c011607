#include "CollectionStore.h"

#include <algorithm>
#include <set>

void CollectionStore::reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_items = {{1, 10001, 1, 101}, {2, 10001, 2, 201}, {3, 10003, 1, 102}, {4, 10003, 3, 301}};
    m_nextId = 5;
}

CollectionStore::Add CollectionStore::add(int userId, int gameId, int serverId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int sameGame = 0;
    std::set<int> games;
    for (const Collection &c : m_items) {
        if (c.userId != userId) continue;
        if (c.serverId == serverId) return Add::Already;
        if (c.gameId == gameId) ++sameGame;
        games.insert(c.gameId);
    }
    if (sameGame >= maxServersPerGame) return Add::ServerLimit;
    if (!games.count(gameId) && static_cast<int>(games.size()) >= maxGames) return Add::GameLimit;
    m_items.push_back({m_nextId++, userId, gameId, serverId});
    return Add::Ok;
}

std::vector<Collection> CollectionStore::of(int userId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Collection> result;
    std::copy_if(m_items.begin(), m_items.end(), std::back_inserter(result),
                 [userId](const Collection &c) { return c.userId == userId; });
    return result;
}

bool CollectionStore::remove(int collectionId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = std::find_if(m_items.begin(), m_items.end(),
                           [collectionId](const Collection &c) { return c.id == collectionId; });
    if (it == m_items.end()) return false;
    m_items.erase(it);
    return true;
}
