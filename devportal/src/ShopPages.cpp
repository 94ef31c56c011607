#include "ShopPages.h"

#include "HostUrls.h"
#include "PageTemplates.h"
#include "PortalContext.h"
#include "Reply.h"
#include "Router.h"
#include "Text.h"
#include "Visitor.h"

#include <httplib.h>

using Text::htmlEscape;

namespace {

struct MallItem {
    int id;
    const char *name;
    int price;
};
const MallItem mallItems[] = {{1, "仙侠传说 · 限定坐骑「踏云麒麟」", 2000}, {2, "平台币 10 枚", 500},
                              {3, "龙城霸业 · 强化石礼包", 300},       {4, "游戏盒专属头像框", 100}};

// Gift codes are derived from user and game so that a second visit shows the same code.
std::string giftCode(int userId, int gameId)
{
    return "KV" + Text::md5Hex(std::to_string(userId) + "/" + std::to_string(gameId)).substr(0, 10);
}
}

void ShopPages::install(Router &router)
{
    auto bind = [this](void (ShopPages::*handler)(const Req &, Res &)) {
        return [this, handler](const Req &req, Res &res) { (this->*handler)(req, res); };
    };
    router.get("/pay-game.php", bind(&ShopPages::pay));
    router.post("/pay-game.php", bind(&ShopPages::pay));
    // Targets of the diverting rules; a browser that follows them lands on the payment page.
    router.get("/pay/.*", [](const Req &, Res &res) { Reply::redirect(res, "/pay-game.php"); });
    router.get("/cashier.php", [](const Req &, Res &res) { Reply::redirect(res, "/pay-game.php"); });
    router.get("/service.php", bind(&ShopPages::service));
    router.get("/gift.php", bind(&ShopPages::gifts));
    router.get("/jfsc/?", bind(&ShopPages::mall));
    router.get("/jfsc/earnPoint.php", bind(&ShopPages::earnPoints));
    router.get("/jfsc/firstpay/firstpay.php", bind(&ShopPages::firstPay));
    router.get("/game_card.php", bind(&ShopPages::gameCard));
}

void ShopPages::article(const Req &req, Res &res, const char *title, const std::string &content)
{
    const Visitor v = Visitor::of(req, m_context.accounts);
    Reply::html(res, m_templates.page(title, "articles", {{"heading", title}, {"content", content}},
                                      HostUrls::of(req, m_context), true, v.label()));
}

void ShopPages::pay(const Req &req, Res &res)
{
    const HostUrls urls = HostUrls::of(req, m_context);
    const Visitor v = Visitor::of(req, m_context.accounts);
    if (!v.loggedIn()) return Reply::html(res, m_templates.notice("请先登录", "登录游戏盒后即可充值。", urls));
    std::string message;
    if (req.method == "POST") {
        const int amount = Reply::id(req, "amount");
        if (amount <= 0 || amount > 5000) {
            message = "充值金额无效";
        } else {
            m_context.accounts.addBalance(v.userId, amount * 100L);
            m_context.accounts.addPoints(v.userId, amount);
            message = "充值成功！获得平台币 " + std::to_string(amount) + "，赠送积分 " + std::to_string(amount);
        }
    }
    std::string options;
    for (const Game &g : m_context.catalog.games(Game::Kind::Web))
        options += "<option value=\"" + std::to_string(g.id) + "\">" + htmlEscape(g.name) + "</option>";
    Reply::html(res, m_templates.page("平台充值", "pay",
                                      {{"message", htmlEscape(message)}, {"who", htmlEscape(v.label())},
                                       {"balance", m_context.accounts.byId(v.userId)->balanceText()},
                                       {"gameOptions", options}},
                                      urls, true, v.label()));
}

void ShopPages::service(const Req &req, Res &res)
{
    article(req, res, "客服中心",
            "<p>客服热线：400-000-0000（9:00-24:00）</p>"
            "<p><a href=\"tencent://message/?uin=800000000&amp;Site=korvo&amp;Menu=yes\">在线客服</a></p>"
            "<h2>常见问题</h2><ul class=\"plain\"><li>忘记密码：请在登录窗口点击“找回密码”。</li>"
            "<li>充值未到账：请提供订单号联系客服。</li><li>小号管理：在游戏盒中点击“小号”按钮。</li></ul>");
}

void ShopPages::gifts(const Req &req, Res &res)
{
    const Visitor v = Visitor::of(req, m_context.accounts);
    const int take = Reply::id(req, "take");
    std::string content = "<ul class=\"gifts\">";
    for (const Game &g : m_context.catalog.games(Game::Kind::Web)) {
        content += "<li><b>" + htmlEscape(g.name) + " 新手礼包</b> 元宝×100、经验丹×5 ";
        if (take == g.id && v.loggedIn())
            content += "<span class=\"code\">" + giftCode(v.userId, g.id) + "</span>";
        else
            content += "<a class=\"btn\" href=\"/gift.php?take=" + std::to_string(g.id) + "\">领取</a>";
        content += "</li>";
    }
    if (take && !v.loggedIn()) content = "<p class=\"message\">请先登录后再领取礼包。</p>" + content;
    article(req, res, "礼包中心", content + "</ul>");
}

void ShopPages::mall(const Req &req, Res &res)
{
    const Visitor v = Visitor::of(req, m_context.accounts);
    const int buy = Reply::id(req, "buy");
    std::string message;
    for (const MallItem &item : mallItems) {
        if (item.id != buy) continue;
        if (!v.loggedIn()) message = "请先登录";
        else if (m_context.accounts.addPoints(v.userId, -item.price)) message = std::string("兑换成功：") + item.name;
        else message = "积分不足";
    }
    std::string content = "<p class=\"message\">" + htmlEscape(message) + "</p>";
    if (v.loggedIn()) content += "<p>我的积分：<b id=\"points\">" + std::to_string(m_context.accounts.byId(v.userId)->points)
                                 + "</b> <a href=\"/jfsc/earnPoint.php\">赚积分</a></p>";
    content += "<div class=\"tiles\">";
    for (const MallItem &item : mallItems) {
        content += "<div class=\"tile\"><b>" + htmlEscape(item.name) + "</b><small>" + std::to_string(item.price)
                   + " 积分</small><a class=\"btn\" href=\"/jfsc/?buy=" + std::to_string(item.id) + "\">兑换</a></div>";
    }
    article(req, res, "积分商城", content + "</div>");
}

void ShopPages::earnPoints(const Req &req, Res &res)
{
    article(req, res, "赚积分",
            "<ul class=\"plain\"><li>每日签到：+10 积分</li><li>充值 1 元：+1 积分</li>"
            "<li>分享游戏截图到动态中心：+5 积分</li></ul><p><a href=\"/jfsc/\">返回积分商城</a></p>");
}

void ShopPages::firstPay(const Req &req, Res &res)
{
    const Game *g = m_context.catalog.byId(Reply::id(req, "game_id"));
    if (!g) return article(req, res, "首充礼包", "<p>没有找到这个游戏的首充活动。</p>");
    article(req, res, "首充礼包",
            "<h2>" + htmlEscape(g->name) + " 免费首冲</h2><p>首次充值任意金额，即送价值 188 元的首充大礼包！</p>"
                "<p><a class=\"btn\" href=\"/pay-game.php\">立即首充</a></p>");
}

void ShopPages::gameCard(const Req &req, Res &res)
{
    const Visitor v = Visitor::of(req, m_context.accounts);
    const Game *g = m_context.catalog.byId(Reply::id(req, "id"));
    if (!g) return article(req, res, "新手卡", "<p>没有找到这个游戏的新手卡。</p>");
    const std::string code = v.loggedIn() ? "<span class=\"code\">" + giftCode(v.userId, g->id) + "</span>"
                                          : std::string("请先登录后领取");
    article(req, res, "新手卡", "<h2>" + htmlEscape(g->name) + " 新手卡</h2><p>卡号：" + code + "</p>");
}
