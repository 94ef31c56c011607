#pragma once

#include <QString>
#include <QUrl>

#include "web/gametabparts.h"
#include "web/tabcontext.h"

class HomeToolBar;
class QTabWidget;
class QWebEngineHttpRequest;
class TabContainer;
class QWidget;
class TabHost;
class TabWidget;
class WebEngineProfile;
class WebView;

// Builds the tabs of the tab manager: the home tab, page tabs and game tabs,
// each a container with its toolbar over its view. The tab manager decides
// whether a tab may open; the tab takes over the account context it holds.
class TabPages
{
public:
    // Game tabs get their bars from parts, which wire them to the tab
    // manager; without parts, their page alone.
    TabPages(TabHost &host, TabWidget *manager, GameTabParts *parts);

    // "default": the main account's profile; otherwise the small account's own.
    WebEngineProfile *chosenProfile() const;

    HomeToolBar *addHomeTab();
    WebView *addWebTab(const QWebEngineHttpRequest &request);
    // A web game's server list, by the game's host.
    WebView *addHostTab(const QString &host, const QString &game);
    // A server being played, at an address the portal gave, by the context's account.
    WebView *addGamePlayTab(const QUrl &url, const TabContext &context);
    WebView *addH5HostTab(const QString &host, const QString &game);
    // A server's game became known: its game-play tabs that lacked it take the host.
    void giveHost(const QString &serverId, const QString &host);

private:
    // Portal pages get the page bridge; game pages never do.
    WebView *createOwnedView(const QWebEngineHttpRequest &request, bool bridged);
    // Links the view's page wants a new window for go to the tab manager's router.
    void routeLinks(WebView *view);
    // The host a game-play tab of the server gets: the one given, else the one known.
    QString gameOfServer(const QString &serverId, const QString &hostGiven) const;
    QWidget *createHomePanel(const QString &viewName, const QString &action);
    // A tab container with the context that clicks on its tab bring back.
    TabContainer *createContainer(const QString &name, const TabContext &context);
    // The context of a game opened by its host, which becomes the current host.
    TabContext hostContext(TabContext::Kind kind, const QString &host);
    WebView *addGameView(TabContainer *container, GameTabParts::Bar bar, const QUrl &url, const QString &viewName);
    // Adds the tab and makes it current; page titles then name it, whole or cut.
    void showTab(QWidget *container, WebView *view, const QString &text, const QString &toolTip, bool cutTitles);
    void watchTitle(WebView *view, QWidget *container, bool cut);
    void showTitle(QWidget *container, const QString &title, bool cut);

    TabHost &m_host;
    QTabWidget *m_tabs;
    TabWidget *m_manager;
    GameTabParts *m_parts;
};
