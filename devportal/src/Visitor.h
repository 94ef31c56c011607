#pragma once

#include "AccountStore.h"

#include <optional>
#include <string>

namespace httplib { struct Request; }

// Who is asking, from the identity cookies the client writes at login.
struct Visitor {
    int userId = 0;         // from the "user_id" cookie (or the page's query)
    std::string nick;       // from the "user_nick" cookie, else the account's
    std::optional<Account> account;
    bool tokenValid = false;  // "user_token" cookie names a live login of userId

    bool loggedIn() const { return account && tokenValid; }
    std::string label() const;   // for the site header

    static Visitor of(const httplib::Request &req, const AccountStore &accounts);
};
