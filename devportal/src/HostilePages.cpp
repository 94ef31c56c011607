#include "HostilePages.h"

namespace {

std::string document(const std::string &title, const std::string &script)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title
           + "</title><script src=\"/qwebchannel.js\"></script></head>"
             "<body style=\"margin:0\"><div id=\"all\" style=\"width:100vw;height:100vh\">hostile</div><script>"
           + script + "</script></body></html>";
}

// The action at load and again at every click.
std::string onLoadAndClick(const std::string &body)
{
    return "function run() {" + body + "}\nrun();\ndocument.addEventListener('click', run);";
}

std::string loop(int count, const std::string &body)
{
    const std::string head = count > 0 ? "for (var i = 0; i < " + std::to_string(count) + "; ++i)" : "for (var i = 0;; ++i)";
    return head + " { " + body + " }";
}

// A bridge message of count Ki characters, sent the way variant names: through
// the page's channel, straight into the transport, or through the transport of
// a frame the page makes. A small call follows it the same way; the title says
// they went.
std::string hugeMessage(int count, const std::string &variant)
{
    const std::string length = std::to_string(count * 1024);
    std::string send = "c.objects.external.GetHttpData('x'.repeat(" + length + ")); after(qt.webChannelTransport);";
    if (variant == "transport")
        send = "try { qt.webChannelTransport.send(big); } catch (e) {} after(qt.webChannelTransport);";
    if (variant == "frame")
        send = "var f = document.createElement('iframe'); f.src = '/news/1.html';"
               " f.onload = function () { var w = f.contentWindow;"
               " if (!w.qt || !w.qt.webChannelTransport) { document.title = 'no transport in the frame'; return; }"
               " try { w.qt.webChannelTransport.send(big); } catch (e) {} after(w.qt.webChannelTransport); };"
               " document.body.appendChild(f);";
    return "if (window.qt) new QWebChannel(qt.webChannelTransport, function (c) {"
           " var real = c.transport, sent = [];"
           " c.transport = {send: function (m) { sent.push(m); }};"
           " c.objects.external.GetHttpData('x');"
           " c.transport = real;"
           " var big = sent[0].replace('\"x\"', '\"' + 'x'.repeat(" + length + ") + '\"');"
           " function after(t) { t.send(sent[0].replace('\"x\"', '\"after\"')); document.title = 'message sent'; }"
           + send + "});";
}
}

std::string HostilePages::page(const std::string &kind, int count, const std::string &variant)
{
    if (kind == "popups")
        return document("popups", onLoadAndClick(loop(count, "window.open('/news/' + (i + 1) + '.html');")));
    if (kind == "open_games")
        return document("open games",
                        onLoadAndClick("if (!window.qt) return; new QWebChannel(qt.webChannelTransport, function (c) {"
                                       + loop(count, "c.objects.external.OpenGame('xianxia', '仙侠传说', '');")
                                       + "});"));
    if (kind == "dialogs") {
        const std::string ask = variant == "confirm" ? "confirm('问题 ' + i);" : "alert('消息 ' + i);";
        return document("dialogs", "setTimeout(function () {" + loop(count, ask)
                                       + " document.title = 'dialogs done'; }, 0);");
    }
    if (kind == "huge_argument") {
        // One bridge call whose argument is count Ki characters long; the title says it went.
        const std::string length = std::to_string((count > 0 ? count : 5120) * 1024);
        const std::string call = variant == "http_data"
                                     ? "c.objects.external.GetHttpData('x'.repeat(" + length + "));"
                                     : "c.objects.external.OpenGame('xianxia', '游'.repeat(" + length + "), '');";
        return document("huge argument", "if (window.qt) new QWebChannel(qt.webChannelTransport, function (c) {" + call
                                             + " document.title = 'argument sent'; });");
    }
    if (kind == "huge_message")
        return document("huge message", hugeMessage(count > 0 ? count : 1024, variant));
    if (kind == "permissions")
        return document("permissions",
                        "var answers = {position: 'waiting', notifications: 'waiting'};"
                        "function show() { document.title = 'position:' + answers.position"
                        " + ' notifications:' + answers.notifications; }"
                        "navigator.geolocation.getCurrentPosition("
                        "function () { answers.position = 'granted'; show(); },"
                        "function () { answers.position = 'denied'; show(); });"
                        "Notification.requestPermission().then(function (p) { answers.notifications = p; show(); });");
    return std::string();
}
