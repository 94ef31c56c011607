#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct Account {
    int id = 0;
    int platId = 0;
    std::string name;
    std::string passMd5;
    std::string nick;
    std::string email;
    int level = 0;
    long balanceCents = 0;
    int points = 0;
    int mainId = 0;        // owner of a small account, 0 for a main account
    bool hasInfo = true;   // false: the login reply leaves out "user_info"

    std::string balanceText() const;
};

// Accounts, login tokens, sign-ins and recently played servers, in memory.
class AccountStore
{
public:
    enum class Login { Ok, NoUser, WrongPassword };
    enum class Register { Ok, BadOwner, NameTaken, BadName };

    AccountStore() { reset(); }
    void reset();   // back to the seeded accounts

    std::optional<Account> byName(const std::string &name) const;
    std::optional<Account> byId(int id) const;
    std::vector<Account> smallAccounts(int mainId) const;

    Login login(const std::string &name, const std::string &passMd5, Account *account) const;
    // ownerId 0 registers a main account (the web form); otherwise it must exist.
    Register registerAccount(int ownerId, const std::string &name, const std::string &passMd5,
                             Account *account);

    std::string issueToken(int userId);
    bool tokenValid(int userId, const std::string &token) const;
    int revokeUser(int userId);
    int revokeToken(const std::string &token);

    void addBalance(int userId, long cents);
    bool addPoints(int userId, int points);
    bool signIn(int userId, const std::string &date);   // false when already signed that day
    std::set<std::string> signedDays(int userId) const;
    void recordPlay(int userId, int serverId);
    std::vector<int> recentPlays(int userId) const;

private:
    Account *find(int id);

    mutable std::mutex m_mutex;
    std::vector<Account> m_accounts;
    int m_nextId = 0;
    std::map<std::string, int> m_tokens;                 // token -> user id
    std::map<int, std::set<std::string>> m_signIns;      // user id -> dates
    std::map<int, std::vector<int>> m_plays;             // user id -> server ids, newest first
};
