#include "web/bridgerequests.h"

#include "web/external.h"
#include "web/hometoolbar.h"
#include "web/pagenotice.h"
#include "net/portal.h"
#include "web/tabhost.h"
#include "web/userinput.h"
#include "web/webview.h"

#include <QDebug>
#include <QTabWidget>
#include <QWebChannel>

BridgeRequests::BridgeRequests(TabHost &tabs, QObject *parent)
    : QObject(parent)
    , m_tabs(tabs)
{
    connectExternal();
}

void BridgeRequests::connectExternal()
{
    External *external = External::instance();
    TabHost *tabs = &m_tabs;
    tabs->webChannel()->registerObject(QStringLiteral("external"), external);
    // The bridge serves the home views and the client's own windows alike.
    connect(external, &External::signalOpenUrl, this, [this](const QString &url, const QString &option) {
        if (option != QLatin1String("open") || mayOpenFromPage())
            openUrl(url, option);
    });
    connect(external, &External::signalOpenJFSC, this, [this, tabs] {
        if (mayOpenFromPage())
            tabs->handlerOpenJFSC();
    });
    connect(external, &External::signalSign, this, [tabs] { tabs->handlerSign(); });
    connect(external, &External::signalOpenGame_app, this,
            [tabs](const QString &host, const QString &game) { tabs->openAppDownload(host, game); });
    connect(external, &External::signalOpenGame, this, [this, tabs](const QString &host, const QString &game) {
        if (mayOpenFromPage())
            tabs->createHostTab(host, game);
    });
    connect(external, &External::signalOpenGame_h5, this, [this, tabs](const QString &host, const QString &game) {
        if (mayOpenFromPage())
            tabs->createH5HostTab(host, game);
    });
}

bool BridgeRequests::mayOpenFromPage()
{
    UserInput *input = UserInput::instance();
    const NewTabGate::Verdict verdict = m_gate.ask(input->now(), input->lastInputIn(nullptr));
    if (verdict == NewTabGate::Open)
        return true;
    ++m_blocked;
    // One notice for the bridge, over the tab in front.
    QTabWidget *strip = m_tabs.tabStrip();
    QWidget *front = strip->currentWidget() ? strip->currentWidget() : strip;
    PageNotice *notice = PageNotice::of(front);
    if (m_notice && m_notice != notice)
        m_notice->hide();
    m_notice = notice;
    notice->say(NewTabGate::blockedText(verdict, m_blocked));
    return false;
}

void BridgeRequests::openUrl(const QString &url, const QString &option)
{
    // One remembered address for the whole process: where "back" returns after a search.
    static QUrl beforeSearch;
    const QUrl address(url);
    const bool shows = option == QLatin1String("open") || option == QLatin1String("todayserver")
        || option == QLatin1String("search");
    // Pages name the address: only the portal's own sites are shown, never a
    // local file, a page source or an inline document.
    if (shows && !Portal::isAllowedAddress(address))
        return refuse(address);
    WebView *home = m_tabs.tabStrip()->findChild<WebView *>(QStringLiteral("homePageWebView"));
    if (option == QLatin1String("open")) {
        m_tabs.createWebTab(address);
    } else if (option == QLatin1String("todayserver")) {
        if (!home)
            return;
        home->load(address);
        if (HomeToolBar *bar = m_tabs.homeToolBar())
            bar->selectNavButton(QStringLiteral("homeBar_WebGameBtn"));
    } else if (option == QLatin1String("search")) {
        if (!home)
            return;
        beforeSearch = home->url();
        home->load(address);
    } else if (option == QLatin1String("back")) {
        // Before any search there is nowhere to go back to: a blank home page helps nobody.
        if (home && !beforeSearch.isEmpty())
            home->load(beforeSearch);
    } else if (option == QLatin1String("default") || Portal::isOwnOrigin(address)) {
        // "default" needs no package, so no address either.
        m_tabs.requestSkin(url, option);
    } else {
        // Skin packages come from the portal only; any other address is not fetched.
        refuse(address);
    }
}

void BridgeRequests::refuse(const QUrl &address)
{
    qDebug() << "handlerOpenUrl: refused" << address.toString(QUrl::RemoveQuery | QUrl::RemoveUserInfo).left(200);
}
