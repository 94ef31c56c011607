#include "Gateway.h"

#include "EnvelopeReader.h"
#include "PortalContext.h"
#include "Reply.h"
#include "Router.h"
#include "Text.h"

#include <httplib.h>

namespace {

std::string field(const std::map<std::string, std::string> &fields, const char *key)
{
    auto it = fields.find(key);
    return it == fields.end() ? std::string() : it->second;
}

nlohmann::json loginReply(const Account &a, const std::string &token)
{
    nlohmann::json reply = {{"user_name", a.name},
                            {"user_email", a.email},
                            {"user_nick", a.nick},
                            {"user_id", std::to_string(a.id)},
                            {"user_token", token},
                            {"plat_userid", std::to_string(a.platId)}};
    if (a.hasInfo) {
        reply["user_info"] = {{"level", std::to_string(a.level)},
                              {"balance", a.balanceText()},
                              {"points", std::to_string(a.points)}};
    }
    return reply;
}
}

void Gateway::install(Router &router)
{
    router.get(
        "/DODev_C/boxInit.php", [this](const httplib::Request &req, httplib::Response &res) { handle(req, res); },
        [this](const httplib::Request &req) { classify(req); });
}

std::string Gateway::rawAppData(const std::string &target)
{
    const size_t q = target.find('?');
    if (q == std::string::npos) return std::string();
    // Read from the raw target: the server's own decoding would turn "+" into a blank.
    auto fields = Text::keyValues(target.substr(q + 1));
    auto it = fields.find("appData");
    return it == fields.end() ? std::string() : it->second;
}

void Gateway::classify(const httplib::Request &req)
{
    RequestNote &note = RequestLog::note();
    note.group = "boxInit";
    note.endpoint = "boxInit";
    const std::string raw = rawAppData(req.target);
    if (raw.empty()) return;
    note.appData = EnvelopeReader(m_context.keys).open(raw).value_or(std::string());
    const std::string sign = field(Text::keyValues(note.appData), "sign");
    if (!sign.empty()) note.endpoint = sign;
}

void Gateway::handle(const httplib::Request &req, httplib::Response &res)
{
    const std::string &text = RequestLog::note().appData;
    if (rawAppData(req.target).empty()) {
        Reply::word(res, "params error");
        return;
    }
    if (text.empty()) {
        Reply::error(res, 1002, "数据解密失败,请检查客户端公钥");
        return;
    }
    const Fields fields = Text::keyValues(text);
    const std::string sign = field(fields, "sign");
    if (field(fields, "key") != PortalContext::apiKey) {
        Reply::error(res, 1001, "接口密钥错误");
    } else if (field(fields, "datatype") != "user") {
        Reply::word(res, "params error");
    } else if (sign == "user_login") {
        login(fields, res);
    } else if (sign == "user_register") {
        registerAccount(fields, res);
    } else if (sign == "user_checkloginstatus") {
        checkLoginStatus(fields, res);
    } else {
        Reply::error(res, 1004, "未知操作");
    }
}

void Gateway::login(const Fields &fields, httplib::Response &res)
{
    const std::string name = field(fields, "user_name");
    const std::string pass = field(fields, "user_pass");
    if (name.empty() || !Text::isMd5Hex(pass)) {
        Reply::word(res, "params error");
        return;
    }
    Account account;
    switch (m_context.accounts.login(name, pass, &account)) {
    case AccountStore::Login::NoUser: Reply::word(res, "nouser"); return;
    case AccountStore::Login::WrongPassword: Reply::word(res, "password_error"); return;
    case AccountStore::Login::Ok: break;
    }
    Reply::json(res, loginReply(account, m_context.accounts.issueToken(account.id)));
}

void Gateway::registerAccount(const Fields &fields, httplib::Response &res)
{
    const int owner = Reply::toId(field(fields, "user_large_id"));
    const std::string pass = field(fields, "user_pass");
    if (owner == 0 || !Text::isMd5Hex(pass)) {
        Reply::word(res, "params error");
        return;
    }
    Account account;
    switch (m_context.accounts.registerAccount(owner, field(fields, "user_name"), pass, &account)) {
    case AccountStore::Register::BadOwner: Reply::word(res, "params error"); return;
    case AccountStore::Register::NameTaken: Reply::word(res, "username repeat"); return;
    case AccountStore::Register::BadName: Reply::word(res, "failed"); return;
    case AccountStore::Register::Ok: break;
    }
    Reply::json(res, {{"user_id", std::to_string(account.id)},
                      {"user_name", account.name},
                      {"main_id", std::to_string(account.mainId)}});
}

void Gateway::checkLoginStatus(const Fields &fields, httplib::Response &res)
{
    const int userId = Reply::toId(field(fields, "user_id"));
    const std::string token = field(fields, "user_token");
    if (userId == 0 || token.empty()) {
        Reply::word(res, "params error");
    } else if (m_context.accounts.tokenValid(userId, token)) {
        Reply::error(res, 200, "ok");
    } else {
        Reply::error(res, 401, "登录已失效,请重新登录");
    }
}
