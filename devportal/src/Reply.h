#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace httplib { struct Request; struct Response; }

// How the portal answers: bare words, JSON documents and HTML pages, all UTF-8.
namespace Reply {

void word(httplib::Response &res, const std::string &word);
void json(httplib::Response &res, const nlohmann::json &document);
void error(httplib::Response &res, int code, const std::string &msg);
void html(httplib::Response &res, const std::string &page);
void redirect(httplib::Response &res, const std::string &location);

// Query parameter as decoded by the server, or "" when absent.
std::string param(const httplib::Request &req, const char *key);
// Integer id from a query parameter; 0 when absent or not a number.
int id(const httplib::Request &req, const char *key);
int toId(const std::string &text);
}
