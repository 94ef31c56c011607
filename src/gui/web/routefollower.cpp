#include "web/routefollower.h"

#include "net/portal.h"
#include "web/serverhosts.h"
#include "web/tabcontainer.h"
#include "net/session.h"
#include "web/systembrowser.h"
#include "web/tabhost.h"
#include "app/appservices.h"
#include "web/urlrules.h"
#include "web/webview.h"

#include <QTabWidget>

RouteFollower::RouteFollower(TabHost &tabs)
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
    context.hasGameView = m_tabs.currentView({QStringLiteral("hostwebview")}) != nullptr;
    context.hasHomeListView = m_tabs.currentView({QStringLiteral("homePageWebView")}) != nullptr;
    const TabContext &tab = m_tabs.currentContext();
    if (!tab.isMainAccount()) {
        // A small account plays: its own identity goes into the game address.
        context.player = tab.player;
    } else if (Session *current = m_tabs.services().session) {
        context.player = current->identity();
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
        m_tabs.createWebTab(route.url);
        break;
    case UrlRoute::H5Tab:
        m_tabs.createH5HostTab(route.name, QString());
        break;
    case UrlRoute::H5PlayInCurrent:
        playInCurrentTab(route, QStringLiteral("h5HostWebView"));
        break;
    case UrlRoute::SystemBrowser:
        SystemBrowser::open(m_tabs.tabStrip(), route.url);
        break;
    case UrlRoute::HostTab:
        m_tabs.createHostTab(route.name, QString());
        break;
    case UrlRoute::GamePlayInCurrent:
        playInCurrentTab(route, QStringLiteral("hostwebview"));
        break;
    case UrlRoute::GamePlayTab:
        playInNewTab(route);
        break;
    case UrlRoute::HomeList:
        if (WebView *home = m_tabs.currentView({QStringLiteral("homePageWebView")}))
            home->load(route.url);
        break;
    }
}

void RouteFollower::playInCurrentTab(const UrlRoute &route, const QString &viewName)
{
    QWidget *tab = m_tabs.currentTab();
    WebView *view = m_tabs.currentView({viewName});
    if (!view && tab)
        view = tab->findChild<WebView *>();
    if (!view)
        return;
    TabContext context = TabContainer::contextOf(tab);
    if (route.action == UrlRoute::H5PlayInCurrent) {
        context.isH5Play = true;
    } else {
        context.serverId = route.serverId;
        // The game's own page lists its servers: what it plays belongs to it.
        m_tabs.serverHosts()->learn(route.serverId, context.host);
    }
    if (auto *container = qobject_cast<TabContainer *>(tab))
        container->setContext(context);
    m_tabs.setCurrentContext(context);
    view->load(route.url);
}

void RouteFollower::playInNewTab(const UrlRoute &route)
{
    // The current tab is no web game's: its host (an H5 game's, or none) is not this server's.
    TabContext context = m_tabs.currentContext();
    context.host = m_tabs.serverHosts()->hostOf(route.serverId);
    context.serverId = route.serverId;
    m_tabs.createGamePlayTab(route.url, context);
}
