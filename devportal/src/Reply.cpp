#include "Reply.h"

#include "Text.h"

#include <httplib.h>

namespace Reply {

void word(httplib::Response &res, const std::string &word)
{
    res.set_content(word, "text/html; charset=utf-8");
}

void json(httplib::Response &res, const nlohmann::json &document)
{
    res.set_content(document.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                    "application/json; charset=utf-8");
}

void error(httplib::Response &res, int code, const std::string &msg)
{
    json(res, {{"code", code}, {"msg", msg}});
}

void html(httplib::Response &res, const std::string &page)
{
    res.set_content(page, "text/html; charset=utf-8");
}

void redirect(httplib::Response &res, const std::string &location)
{
    res.status = 302;
    res.set_header("Location", location);
    html(res, "<a href=\"" + Text::htmlEscape(location) + "\">继续</a>");
}

std::string param(const httplib::Request &req, const char *key)
{
    return req.has_param(key) ? req.get_param_value(key) : std::string();
}

int toId(const std::string &text)
{
    return Text::isDigits(text) && text.size() <= 9 ? std::stoi(text) : 0;
}

int id(const httplib::Request &req, const char *key)
{
    return toId(param(req, key));
}
}
