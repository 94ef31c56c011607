#include "web/routefollower.h"

#include "gametools/hosttoolbar.h"
#include "net/portal.h"
#include "web/serverhosts.h"
#include "net/session.h"
#include "shell/systembrowser.h"
#include "web/tabwidget.h"
#include "web/urlrules.h"
#include "web/webview.h"

RouteFollower::RouteFollower(TabWidget *tabs)
    : m_tabs(tabs)
{
}

void RouteFollower::setGameIdHosts(const QHash<QString, QString> &map)
{
    m_router.setGameIdHosts(map);
}

void RouteFollower::follow(const QUrl &url)
{
    m_router.setHosts(Portal::portalHost(), Portal::h5Host(), Portal::partnerHosts());
    m_router.reloadRulesIfChanged(UrlRules::fileName());
    carryOut(m_router.route(url, context()));
}

RouteContext RouteFollower::context() const
{
    RouteContext context;
    context.hasGameView = m_tabs->currentView({QStringLiteral("hostwebview")}) != nullptr;
    context.hasHomeListView = m_tabs->currentView({QStringLiteral("homePageWebView")}) != nullptr;
    if (m_tabs->profileFlag == QLatin1String("default")) {
        if (Session *current = m_tabs->session())
            context.player = current->identity();
    } else {
        // A small account plays: its own identity goes into the game address.
        context.player.userId = m_tabs->smallAccountInfo.value(QStringLiteral("user_id")).toString();
        context.player.userName = m_tabs->smallAccountInfo.value(QStringLiteral("user_name")).toString();
        context.player.userToken = m_tabs->smallAccountInfo.value(QStringLiteral("user_token")).toString();
        context.player.userEmail = m_tabs->smallAccountInfo.value(QStringLiteral("user_email")).toString();
    }
    return context;
}

void RouteFollower::carryOut(const UrlRoute &route)
{
    switch (route.action) {
    case UrlRoute::Nothing:
        break;
    case UrlRoute::PaymentTab:
    case UrlRoute::WebTab:
        m_tabs->createWebTab(route.url);
        break;
    case UrlRoute::H5Tab:
        m_tabs->createH5HostTab(route.name);
        break;
    case UrlRoute::H5PlayInCurrent:
        playInCurrentTab(route, QStringLiteral("h5HostWebView"));
        break;
    case UrlRoute::SystemBrowser:
        SystemBrowser::open(m_tabs, route.url);
        break;
    case UrlRoute::HostTab:
        m_tabs->createHostTab(route.name);
        break;
    case UrlRoute::GamePlayInCurrent:
        playInCurrentTab(route, QStringLiteral("hostwebview"));
        break;
    case UrlRoute::GamePlayTab:
        // The current tab is no web game's: its host (an H5 game's, or none) is not this server's.
        m_tabs->currentHost = m_tabs->serverHosts()->hostOf(route.serverId);
        m_tabs->currentServerId = route.serverId;
        m_tabs->createGamePlayTab(route.url);
        break;
    case UrlRoute::HomeList:
        if (WebView *home = m_tabs->currentView({QStringLiteral("homePageWebView")}))
            home->load(route.url);
        break;
    }
}

void RouteFollower::playInCurrentTab(const UrlRoute &route, const QString &viewName)
{
    QWidget *tab = m_tabs->currentWidget();
    WebView *view = m_tabs->currentView({viewName});
    if (!view && tab)
        view = tab->findChild<WebView *>();
    if (!view)
        return;
    if (route.action == UrlRoute::H5PlayInCurrent) {
        tab->setProperty("isH5Play", true);
        m_tabs->h5Playing = true;
    } else {
        tab->setProperty("serverId", route.serverId);
        m_tabs->currentServerId = route.serverId;
        // The game's own page lists its servers: what it plays belongs to it.
        m_tabs->serverHosts()->learn(route.serverId, tab->property("host").toString());
        if (auto *bar = tab->findChild<HostToolBar *>())
            bar->setCollectionVisible(true);
    }
    view->load(route.url);
}
