#include "AccountStore.h"

#include "Text.h"

#include <algorithm>

std::string Account::balanceText() const
{
    char buf[32];
    snprintf(buf, sizeof buf, "%ld.%02ld", balanceCents / 100, balanceCents % 100);
    return buf;
}

void AccountStore::reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto make = [](int id, const char *name, const char *password, const char *nick, int level,
                   long cents, int points, int mainId) {
        Account a;
        a.id = id;
        a.platId = id + 10000;
        a.name = name;
        a.passMd5 = Text::md5Hex(password);
        a.nick = nick;
        a.email = std::string(name) + "@korvo.test";
        a.level = level;
        a.balanceCents = cents;
        a.points = points;
        a.mainId = mainId;
        return a;
    };
    m_accounts = {
        make(10001, "korvo", "korvo123", "科沃玩家", 3, 12850, 2680, 0),
        make(10002, "mingyue", "mingyue123", "明月清风", 1, 3000, 520, 0),
        make(10003, "korvo_xh1", "xiaohao123", "科沃小号一", 0, 0, 30, 10001),
        make(10004, "lite", "lite1234", "轻装玩家", 0, 0, 0, 0),
    };
    m_accounts.back().hasInfo = false;
    m_nextId = 10005;
    m_tokens.clear();
    m_signIns.clear();
    m_plays.clear();
    m_plays[10001] = {101, 201};
}

Account *AccountStore::find(int id)
{
    for (Account &a : m_accounts) {
        if (a.id == id) return &a;
    }
    return nullptr;
}

std::optional<Account> AccountStore::byName(const std::string &name) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const Account &a : m_accounts) {
        if (a.name == name) return a;
    }
    return std::nullopt;
}

std::optional<Account> AccountStore::byId(int id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const Account &a : m_accounts) {
        if (a.id == id) return a;
    }
    return std::nullopt;
}

std::vector<Account> AccountStore::smallAccounts(int mainId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Account> result;
    for (const Account &a : m_accounts) {
        if (a.mainId == mainId && mainId != 0) result.push_back(a);
    }
    return result;
}

AccountStore::Login AccountStore::login(const std::string &name, const std::string &passMd5,
                                        Account *account) const
{
    auto found = byName(name);
    if (!found) return Login::NoUser;
    if (found->passMd5 != passMd5) return Login::WrongPassword;
    if (account) *account = *found;
    return Login::Ok;
}

AccountStore::Register AccountStore::registerAccount(int ownerId, const std::string &name,
                                                     const std::string &passMd5, Account *account)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (ownerId != 0 && !find(ownerId)) return Register::BadOwner;
    if (!Text::isAccountName(name) || !Text::isMd5Hex(passMd5)) return Register::BadName;
    for (const Account &a : m_accounts) {
        if (a.name == name) return Register::NameTaken;
    }
    Account a;
    a.id = m_nextId++;
    a.platId = a.id + 10000;
    a.name = name;
    a.passMd5 = passMd5;
    a.nick = name;
    a.email = name + "@korvo.test";
    // A small account of a small account belongs to the same main account.
    Account *owner = ownerId ? find(ownerId) : nullptr;
    a.mainId = owner ? (owner->mainId ? owner->mainId : owner->id) : 0;
    m_accounts.push_back(a);
    if (account) *account = a;
    return Register::Ok;
}

std::string AccountStore::issueToken(int userId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string token = Text::randomHex(16);
    m_tokens[token] = userId;
    return token;
}

bool AccountStore::tokenValid(int userId, const std::string &token) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_tokens.find(token);
    return it != m_tokens.end() && it->second == userId;
}

int AccountStore::revokeUser(int userId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int count = 0;
    for (auto it = m_tokens.begin(); it != m_tokens.end();) {
        if (it->second == userId) {
            it = m_tokens.erase(it);
            ++count;
        } else {
            ++it;
        }
    }
    return count;
}

int AccountStore::revokeToken(const std::string &token)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_tokens.erase(token));
}

void AccountStore::addBalance(int userId, long cents)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (Account *a = find(userId)) a->balanceCents += cents;
}

bool AccountStore::addPoints(int userId, int points)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Account *a = find(userId);
    if (!a || a->points + points < 0) return false;
    a->points += points;
    return true;
}

bool AccountStore::signIn(int userId, const std::string &date)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return find(userId) && m_signIns[userId].insert(date).second;
}

std::set<std::string> AccountStore::signedDays(int userId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_signIns.find(userId);
    return it == m_signIns.end() ? std::set<std::string>() : it->second;
}

void AccountStore::recordPlay(int userId, int serverId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto &plays = m_plays[userId];
    plays.erase(std::remove(plays.begin(), plays.end(), serverId), plays.end());
    plays.insert(plays.begin(), serverId);
    if (plays.size() > 5) plays.resize(5);
}

std::vector<int> AccountStore::recentPlays(int userId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_plays.find(userId);
    return it == m_plays.end() ? std::vector<int>() : it->second;
}
