#pragma once

#include <mutex>
#include <vector>

struct Collection {
    int id = 0;
    int userId = 0;
    int gameId = 0;
    int serverId = 0;
};

// Game servers collected per user, with the portal's limits.
class CollectionStore
{
public:
    enum class Add { Ok, Already, ServerLimit, GameLimit };
    static constexpr int maxServersPerGame = 6;
    static constexpr int maxGames = 6;

    CollectionStore() { reset(); }
    void reset();

    Add add(int userId, int gameId, int serverId);
    std::vector<Collection> of(int userId) const;
    bool remove(int collectionId);

private:
    mutable std::mutex m_mutex;
    std::vector<Collection> m_items;
    int m_nextId = 1;
};
