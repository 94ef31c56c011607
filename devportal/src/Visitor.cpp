#include "Visitor.h"

#include "Reply.h"
#include "Text.h"

#include <httplib.h>

Visitor Visitor::of(const httplib::Request &req, const AccountStore &accounts)
{
    const std::string cookies = req.get_header_value("Cookie");
    Visitor v;
    v.userId = Reply::toId(Text::cookie(cookies, "user_id"));
    if (v.userId == 0) v.userId = Reply::id(req, "user_id");
    v.account = accounts.byId(v.userId);
    v.tokenValid = v.account && accounts.tokenValid(v.userId, Text::cookie(cookies, "user_token"));
    v.nick = Text::cookie(cookies, "user_nick");
    if (v.nick.empty() && v.account) v.nick = v.account->nick;
    return v;
}

std::string Visitor::label() const
{
    return loggedIn() ? nick + "（" + account->name + "）" : std::string();
}
