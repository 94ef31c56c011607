#pragma once

#include <QHash>
#include <QPointer>
#include <QTabWidget>
#include <QVariant>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>

#include "web/routefollower.h"
#include "web/splitview.h"
#include "web/tabcontext.h"
#include "web/tabhost.h"
#include "web/tabpages.h"

#include <memory>

class HomeToolBar;
class QWebChannel;
class BridgeRequests;
class ServerHosts;
class SplitView;
class Session;
class WebEngineProfile;
class WebView;
struct AppServices;

// The main window's central widget: the portal's home tab at index 0 and one
// tab per opened page. It builds every tab and keeps the account context
// (which profile and which name) that new tabs take over.
class TabWidget : public QTabWidget, public TabHost
{
    Q_OBJECT
public:
    // The services' profile is the main account's; their session says who is
    // logged in. The parts are the bars of game tabs; the tab manager keeps them.
    TabWidget(const AppServices &services, std::unique_ptr<GameTabParts> parts, QWidget *parent = nullptr);
    ~TabWidget() override;

    const AppServices &services() const override { return m_services; }
    Session *session() const;
    // The name of the account that plays, for new tabs and the tab in front.
    void setCurrentUserName(const QString &name);
    HomeToolBar *homeToolBar() const override { return m_homeToolBar; }
    QWebChannel *webChannel() const override { return m_webChannel; }

    // Logged in: "user_name", "user_id" and "user_token" are all set in the
    // session's cookie jar. Otherwise the login dialog is asked for
    // (signalLoginRequested).
    bool checkLogin();
    void updateTabBarWidth(int count) override;
    // Closes every tab but the home tab, so that no page keeps an old identity.
    void closeTabsButHome();
    // The home tab's left column, for that user (a null id: nobody logged in).
    void loadHomeLeftPage(const QString &userId);

    // The tab in front: the active pane while the split view is in front.
    QWidget *currentTab() const override;
    // Every tab in strip order, the split view's panes in its place.
    QList<QWidget *> allTabs() const { return SplitView::tabsOf(this, m_split); }
    // What a tab is named, whole: its tool tip, else its text.
    QString tabTitle(QWidget *tab) const { return SplitView::titleOf(this, m_split, tab); }
    void showTabTitle(QWidget *tab, const QString &text, const QString &toolTip) override
    {
        SplitView::showTitle(this, m_split, tab, text, toolTip);
    }
    // A game tab joins the split view (made for it if there is none); false
    // when it may not (no game, the split full).
    bool addToSplit(QWidget *tab);
    // Null while no split is open.
    SplitView *splitView() const { return m_split; }

    // The context that new tabs take over: a click on a tab brings that tab's
    // back, a small account's login or a route sets who plays and where.
    const TabContext &currentContext() const override { return m_context; }
    void setCurrentContext(const TabContext &context) override;
    QTabWidget *tabStrip() override { return this; }
    void requestRoute(const QUrl &url) override;
    void requestSkin(const QString &url, const QString &option) override;

signals:
    // Another pane of the split view became the tab in front.
    void signalPaneActivated(QWidget *tab);
    // Something needs a logged-in main account and nobody is.
    void signalLoginRequested();
    // The sign-in calendar, asked for by a page while logged in.
    void signalSignRequested();
    // The points shop opened in a tab: the sign-in calendar it came from steps aside.
    void signalPointsShopOpened();
    // A link in a game page asked for a window of its own.
    void signalRouteRequested(QUrl url);
    void signalCleanCacheRequested();
    void signalScreenshotRequested();
    void signalSmallAccountRequested();
    // The side bar's button for the small-account manager.
    void signalSmallAccountManagerRequested();
    // A game toolbar's boss key.
    void signalBossKeyRequested();
    // A skin chosen on a portal page: the package address (on the portal or
    // H5 host only) and the page's option, for the skin window.
    void signalSkinRequested(QString url, QString option);

public:
    // The current tab's first view of those names, in that order; null without one.
    WebView *currentView(const QStringList &names) const override;
    // Game id to game host, once the portal's map has arrived.
    void setGameIdHosts(const QHash<QString, QString> &map);
    // Which game each server belongs to, as far as known.
    ServerHosts *serverHosts() const override { return m_serverHosts; }
    // For a tab whose server's game is not known yet: asks the portal, and
    // gives what the user is told meanwhile instead of a call without a game.
    QString askForGameOf(QWidget *tab);

public slots:
    // A new main login: no page keeps the old identity, and the tab that
    // stays (the home tab) belongs to the new account.
    void handlerMainLogin(const Identity &who);
    void closeTab();
    void closeTab(int tabindex);
    void createHomeTab();
    WebView *createWebTab(const QUrl &url) override;
    WebView *createWebTab(const QWebEngineHttpRequest &request);
    // Game tabs; null when nobody is logged in (not asked for the game-play tab).
    WebView *createHostTab(QString host, QString game = QString()) override;
    WebView *createGamePlayTab(QUrl url);
    // The same for that context's account, game and server.
    WebView *createGamePlayTab(const QUrl &url, const TabContext &context) override;
    WebView *createH5HostTab(QString host, QString game = QString()) override;
    // Where a link a page wanted a new window for goes.
    void HandlerCreateWebBridge(QUrl url, QWebEnginePage::NavigationType type);
    void handlerReloadHomePage();
    void handlerReloadWebGame();
    void handlerReloadMobileGame();
    void handlerReloadH5Game();
    void handlerTabarClicked(int index);
    void handlerFullscreen();
    void handlerReload() override;
    void handlerOpenJFSC() override;
    // The sign-in calendar, for a logged-in account (signalSignRequested).
    void handlerSign() override;
    // The points a sign-in calendar showed, on the home tab.
    void showSignInPoints(const QString &points);
    void handlerOpenUrl(const QString &url, const QString &option);
    void openAppDownload(const QString &host, const QString &game) override;

private:
    void connectHomeToolBar();
    void loadHomeSection(const QString &action);
    WebView *homePageView() const;
    void showMessage(const QString &text);
    // The tab at that index, the active pane for the split view.
    QWidget *tabAt(int index) const;
    void takeContextOf(QWidget *tab);

    const AppServices &m_services;
    TabContext m_context;
    std::unique_ptr<GameTabParts> m_parts;
    TabPages m_pages;
    HomeToolBar *m_homeToolBar = nullptr;
    QWebChannel *m_webChannel = nullptr;
    ServerHosts *m_serverHosts = nullptr;
    BridgeRequests *m_bridge = nullptr;
    RouteFollower m_routes{*this};
    QPointer<SplitView> m_split;
};
