#pragma once

#include <QString>
#include <QStringList>

class HomeToolBar;
class QTabWidget;
class QUrl;
class QWebChannel;
class ServerHosts;
class WebView;
struct AppServices;
struct TabContext;

// What the tab manager's helpers (the tab builder, the route follower and the
// bridge's requests) read from it and ask of it. The tab manager implements
// it and hands itself in; the helpers never see the rest of it.
class TabHost
{
public:
    virtual ~TabHost() = default;

    // The strip and stack the tabs live in.
    virtual QTabWidget *tabStrip() = 0;
    virtual const AppServices &services() const = 0;
    // Who plays where: the context new tabs take over.
    virtual const TabContext &currentContext() const = 0;
    virtual void setCurrentContext(const TabContext &context) = 0;
    // The tab in front: the active pane while the split view is in front.
    virtual QWidget *currentTab() const = 0;
    // Names a tab, in the strip or in its pane of the split view.
    virtual void showTabTitle(QWidget *tab, const QString &text, const QString &toolTip) = 0;
    // The current tab's first view of those names, in that order; null without one.
    virtual WebView *currentView(const QStringList &names) const = 0;
    virtual ServerHosts *serverHosts() const = 0;
    virtual QWebChannel *webChannel() const = 0;
    virtual HomeToolBar *homeToolBar() const = 0;
    virtual void updateTabBarWidth(int count) = 0;

    // Tabs opened for a page, a rule or a route; null when refused.
    virtual WebView *createWebTab(const QUrl &url) = 0;
    virtual WebView *createHostTab(QString host, QString game) = 0;
    virtual WebView *createH5HostTab(QString host, QString game) = 0;
    virtual WebView *createGamePlayTab(const QUrl &url, const TabContext &context) = 0;

    // What pages and their bars ask for.
    virtual void handlerReload() = 0;
    virtual void requestRoute(const QUrl &url) = 0;
    virtual void requestSkin(const QString &url, const QString &option) = 0;
    virtual void handlerOpenJFSC() = 0;
    virtual void handlerSign() = 0;
    virtual void openAppDownload(const QString &host, const QString &game) = 0;
};
