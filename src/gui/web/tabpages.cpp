#include "web/tabpages.h"

#include "gametools/h5hosttoolbar.h"
#include "shell/hometoolbar.h"
#include "gametools/hosttoolbar.h"
#include "app/appservices.h"
#include "net/portal.h"
#include "web/serverhosts.h"
#include "gametools/smallleftbarform.h"
#include "web/tabcrashguard.h"
#include "web/tabwidget.h"
#include "web/webenginepage.h"
#include "web/webengineprofile.h"
#include "web/webtoolbar.h"
#include "web/webview.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPointer>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEngineHttpRequest>

namespace {
const QString kDefaultFlag = QStringLiteral("default");
const QString kHomeTitle = QStringLiteral("游戏中心");

QString homeSectionUrl(const QString &action)
{
    return Portal::webPage(action) + QStringLiteral("&v2");
}

// Hosts come from portal pages: encoded, they stay one parameter or one path segment.
QString encoded(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}
}

TabPages::TabPages(TabWidget *tabs)
    : m_tabs(tabs)
{
}

WebEngineProfile *TabPages::chosenProfile() const
{
    if (m_tabs->profileFlag != kDefaultFlag)
        return WebEngineProfile::profileFor(m_tabs->profileFlag);
    WebEngineProfile *main = m_tabs->services().profile;
    return main ? main : WebEngineProfile::profileFor(kDefaultFlag);
}

WebView *TabPages::createOwnedView(const QWebEngineHttpRequest &request, bool bridged)
{
    auto *page = new WebEnginePage(chosenProfile());
    WebView *view = WebView::createView(request, page, bridged ? m_tabs->webChannel() : nullptr);
    // Views own their pages and the container owns views and toolbars.
    page->setParent(view);
    new TabCrashGuard(view, m_tabs->services().settings);
    view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return view;
}

void TabPages::routeLinks(WebView *view)
{
    QObject::connect(qobject_cast<WebEnginePage *>(view->page()), &WebEnginePage::signalUrlClicked, m_tabs,
                     &TabWidget::signalRouteRequested);
}

QWidget *TabPages::createHomePanel(const QString &viewName, const QString &action)
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    WebView *view = createOwnedView(QWebEngineHttpRequest(QUrl(homeSectionUrl(action))), true);
    view->setObjectName(viewName);
    // The left column's links stay in it; the home page's go to the router.
    if (viewName == QLatin1String("homePageWebView"))
        routeLinks(view);
    layout->addWidget(view);
    return panel;
}

HomeToolBar *TabPages::addHomeTab()
{
    auto *bar = new HomeToolBar(m_tabs);
    auto *container = new QWidget(m_tabs);
    container->setProperty("userName", m_tabs->currentUserName);
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);

    auto *body = new QWidget;
    body->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(5);
    QWidget *left = createHomePanel(QStringLiteral("homeLeftView"), QStringLiteral("left"));
    left->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    left->setFixedWidth(258);
    row->addWidget(left);
    QWidget *right = createHomePanel(QStringLiteral("homePageWebView"), QStringLiteral("index"));
    right->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    row->addWidget(right);
    layout->addWidget(body);

    container->setProperty("myProfileFlag", kDefaultFlag);
    container->setObjectName(QStringLiteral("homeMainWidget"));
    const int home = m_tabs->addTab(container, kHomeTitle);
    m_tabs->setTabToolTip(home, kHomeTitle);
    // The home tab never closes; a close button on it would do nothing.
    QTabBar *tabBar = m_tabs->tabBar();
    for (QTabBar::ButtonPosition side : {QTabBar::LeftSide, QTabBar::RightSide}) {
        if (QWidget *button = tabBar->tabButton(home, side)) {
            tabBar->setTabButton(home, side, nullptr);
            button->deleteLater();
        }
    }
    m_tabs->updateTabBarWidth(m_tabs->count());
    return bar;
}

WebView *TabPages::addWebTab(const QWebEngineHttpRequest &request)
{
    auto *container = new QWidget;
    container->setObjectName(QStringLiteral("webtabOther"));
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 5, 0, 5);
    auto *bar = new WebToolBar(m_tabs);
    m_tabs->webToolBar = bar;
    bar->setGeometry(0, 0, m_tabs->width(), 40);
    QObject::connect(bar, &WebToolBar::signalReload, m_tabs, &TabWidget::handlerReload);
    layout->addWidget(bar);
    WebView *view = createOwnedView(request, true);
    view->setObjectName(QStringLiteral("webotherview"));
    routeLinks(view);
    view->setFocus(Qt::OtherFocusReason);
    layout->addWidget(view);

    container->setProperty("myProfileFlag", m_tabs->profileFlag);
    container->setProperty("userName", m_tabs->currentUserName);
    showTab(container, view, QString(), QString(), true);
    return view;
}

WebView *TabPages::addHostTab(const QString &host, const QString &game)
{
    QWidget *container = createHostContainer(QStringLiteral("webtabHost"), host, QStringLiteral("web"));
    auto *bar = new HostToolBar(m_tabs);
    m_tabs->hostToolBar = bar;
    const QUrl url(Portal::portalRoot() + QStringLiteral("/game.php?client=pcclient&host=") + encoded(host));
    WebView *view = addGameView(container, bar, url, QStringLiteral("hostwebview"));
    const QString text = m_tabs->currentUserName + QLatin1Char('|')
                         + (game.isEmpty() ? QStringLiteral("加载中...") : game);
    showTab(container, view, text, text, false);
    return view;
}

WebView *TabPages::addGamePlayTab(const QUrl &url)
{
    const QString serverId = m_tabs->currentServerId;
    const QString host = gameOfServer(serverId, m_tabs->currentHost);
    QWidget *container = createGameContainer(QStringLiteral("webtabHost"), host);
    // A click on the tab brings the server back, for full screen and the collection.
    container->setProperty("serverId", serverId);
    auto *bar = new HostToolBar(m_tabs);
    m_tabs->hostToolBar = bar;
    WebView *view = addGameView(container, bar, url, QStringLiteral("hostwebview"));
    showTab(container, view, m_tabs->currentUserName, QString(), false);
    bar->setCollectionVisible(true);
    // Opened from a list that names only the server: the portal tells the game.
    if (host.isEmpty())
        m_tabs->serverHosts()->lookUp(serverId);
    return view;
}

void TabPages::giveHost(const QString &serverId, const QString &host)
{
    for (int index = 1; index < m_tabs->count(); ++index) {
        QWidget *tab = m_tabs->widget(index);
        if (tab->property("serverId").toString() != serverId || !tab->property("host").toString().isEmpty())
            continue;
        tab->setProperty("host", host);
        if (index == m_tabs->currentIndex())
            m_tabs->currentHost = host;
    }
}

QString TabPages::gameOfServer(const QString &serverId, const QString &hostGiven) const
{
    ServerHosts *hosts = m_tabs->serverHosts();
    if (hostGiven.isEmpty())
        return hosts->hostOf(serverId);
    hosts->learn(serverId, hostGiven);
    return hostGiven;
}

WebView *TabPages::addH5HostTab(const QString &host, const QString &game)
{
    QWidget *container = createHostContainer(QStringLiteral("h5ToolBar"), host, QStringLiteral("h5"));
    auto *bar = new H5HostToolBar(m_tabs);
    m_tabs->h5HostToolBar = bar;
    const QUrl url(Portal::h5Root() + QLatin1Char('/') + encoded(host));
    WebView *view = addGameView(container, bar, url, QStringLiteral("h5HostWebView"));
    showTab(container, view, game, QString(), true);
    m_tabs->h5Playing = false;
    return view;
}

QWidget *TabPages::createHostContainer(const QString &name, const QString &host, const QString &gameType)
{
    QWidget *container = createGameContainer(name, host);
    container->setProperty("gameType", gameType);
    m_tabs->currentHost = host;
    return container;
}

QWidget *TabPages::createGameContainer(const QString &name, const QString &host)
{
    auto *container = new QWidget(m_tabs);
    container->setObjectName(name);
    container->setProperty("host", host);
    container->setProperty("userName", m_tabs->currentUserName);
    container->setProperty("myProfileFlag", m_tabs->profileFlag);
    auto *layout = new QVBoxLayout(container);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 5, 0, 5);
    return container;
}

WebView *TabPages::addGameView(QWidget *container, GameToolBar *bar, const QUrl &url, const QString &viewName)
{
    bar->setGeometry(0, 0, m_tabs->width(), 40);
    connectGameToolBar(bar);
    container->layout()->addWidget(bar);

    auto *frame = new QFrame;
    frame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *row = new QHBoxLayout(frame);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    WebView *view = createOwnedView(QWebEngineHttpRequest(url), false);
    view->setObjectName(viewName);
    routeLinks(view);
    row->addWidget(view);
    auto *sideBar = new SmallLeftBarForm(m_tabs, frame);
    sideBar->setFixedWidth(0);
    sideBar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    row->addWidget(sideBar);
    QObject::connect(bar, &GameToolBar::signalSmallAccount, sideBar, &SmallLeftBarForm::open);
    container->layout()->addWidget(frame);
    view->setFocus(Qt::OtherFocusReason);
    return view;
}

void TabPages::connectGameToolBar(GameToolBar *bar)
{
    TabWidget *tabs = m_tabs;
    QObject::connect(bar, &GameToolBar::signalReload, tabs, &TabWidget::handlerReload);
    QObject::connect(bar, &GameToolBar::signalFullscreen, tabs, &TabWidget::handlerFullscreen);
    QObject::connect(bar, &GameToolBar::signalBossKey, tabs, &TabWidget::signalBossKeyRequested);
    QObject::connect(bar, &GameToolBar::signalCleanCache, tabs, &TabWidget::signalCleanCacheRequested);
    QObject::connect(bar, &GameToolBar::signalScreenhost, tabs, &TabWidget::signalScreenshotRequested);
    QObject::connect(bar, &GameToolBar::signalSmallAccount, tabs, &TabWidget::signalSmallAccountRequested);
}

void TabPages::showTab(QWidget *container, WebView *view, const QString &text, const QString &toolTip, bool cutTitles)
{
    const int index = m_tabs->addTab(container, text);
    if (!toolTip.isEmpty())
        m_tabs->setTabToolTip(index, toolTip);
    m_tabs->setCurrentIndex(index);
    m_tabs->updateTabBarWidth(m_tabs->count());
    watchTitle(view, container, cutTitles);
}

void TabPages::watchTitle(WebView *view, QWidget *container, bool cut)
{
    QPointer<QWidget> tab(container);
    QObject::connect(view, &WebView::titleChanged, m_tabs, [this, tab, cut](const QString &title) {
        if (tab)
            showTitle(tab, title, cut);
    });
}

void TabPages::showTitle(QWidget *container, const QString &title, bool cut)
{
    const int index = m_tabs->indexOf(container);
    if (index < 0)
        return;
    // The tab's own account: titles arrive after other accounts may have opened tabs.
    const QString own = container->property("userName").toString();
    const QString name = own.isEmpty() ? m_tabs->currentUserName : own;
    const QString text = name + QLatin1Char('|') + (cut ? TabWidget::cutTitle(title) : title);
    m_tabs->setTabText(index, TabWidget::elideTitle(text));
    m_tabs->setTabToolTip(index, text);
}
