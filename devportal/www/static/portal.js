// Bridge between portal pages and the game box client. Inside the client the page
// reaches the published object "external" over the web channel; in a plain browser
// the calls fall back to ordinary links.
var korvo = (function () {
    var external = null;
    var waiting = [];

    function inClient() {
        return !!(window.qt && window.qt.webChannelTransport && window.QWebChannel);
    }

    if (inClient()) {
        new QWebChannel(qt.webChannelTransport, function (channel) {
            external = channel.objects.external || null;
            var queued = waiting;
            waiting = [];
            queued.forEach(function (fn) { fn(); });
        });
    }

    function whenReady(fn) {
        if (external) fn(); else waiting.push(fn);
    }

    // Calls a bridge method; returns false so that it can end an onclick handler.
    function call(method) {
        var args = Array.prototype.slice.call(arguments, 1);
        if (!inClient()) {
            if (method !== 'GetHttpData') notice('请在 Korvo游戏盒 客户端中使用此功能');
            return false;
        }
        whenReady(function () {
            if (external && typeof external[method] === 'function') external[method].apply(external, args);
        });
        return false;
    }

    function openGame(host, name, type, fallback) {
        if (inClient()) return call('OpenGame', host, name, type || '');
        if (fallback) window.open(fallback, '_blank');
        return false;
    }

    function openUrl(url, option) {
        if (inClient()) return call('OpenUrl', url, option);
        if (option === 'back') history.back();
        else if (url) location.href = url;
        return false;
    }

    function search(form) {
        var keyword = form.keyword.value.replace(/^\s+|\s+$/g, '');
        if (!keyword) return false;
        var url = document.body.getAttribute('data-index') + '?type=web&action=web_game&v2&keyword=' +
            encodeURIComponent(keyword);
        return openUrl(url, 'search');
    }

    function notice(text) {
        var box = document.getElementById('korvo-notice');
        if (!box) {
            box = document.createElement('div');
            box.id = 'korvo-notice';
            box.className = 'toast';
            document.body.appendChild(box);
        }
        box.textContent = text;
        box.style.display = 'block';
        setTimeout(function () { box.style.display = 'none'; }, 2500);
    }

    return { inClient: inClient, call: call, openGame: openGame, openUrl: openUrl, search: search };
})();
