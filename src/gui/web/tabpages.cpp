#include "web/tabpages.h"

#include "web/hometoolbar.h"
#include "app/appservices.h"
#include "net/portal.h"
#include "web/serverhosts.h"
#include "web/tabcontainer.h"
#include "web/tabcrashguard.h"
#include "web/tabhost.h"
#include "web/tabtitle.h"
#include "web/webenginepage.h"
#include "web/webengineprofile.h"
#include "web/webtoolbar.h"
#include "web/webview.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEngineHttpRequest>

namespace {
const QString kDefaultFlag = QStringLiteral("default");
const QString kHomeTitle = QStringLiteral("游戏中心");


// Hosts come from portal pages: encoded, they stay one parameter or one path segment.
QString encoded(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}
}

TabPages::TabPages(TabHost &host, TabWidget *manager, GameTabParts *parts)
    : m_host(host)
    , m_tabs(host.tabStrip())
    , m_manager(manager)
    , m_parts(parts)
{
}

WebEngineProfile *TabPages::chosenProfile() const
{
    const TabContext &context = m_host.currentContext();
    if (!context.isMainAccount())
        return WebEngineProfile::profileFor(context.profileFlag);
    WebEngineProfile *main = m_host.services().profile;
    return main ? main : WebEngineProfile::profileFor(kDefaultFlag);
}

WebView *TabPages::createOwnedView(const QWebEngineHttpRequest &request, bool bridged)
{
    auto *page = new WebEnginePage(chosenProfile());
    WebView *view = WebView::createView(request, page, bridged ? m_host.webChannel() : nullptr);
    // Views own their pages and the container owns views and toolbars.
    page->setParent(view);
    new TabCrashGuard(view, m_host.services().settings, m_host.services().notifier);
    view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return view;
}

void TabPages::routeLinks(WebView *view)
{
    TabHost *host = &m_host;
    QObject::connect(qobject_cast<WebEnginePage *>(view->page()), &WebEnginePage::signalUrlClicked, m_tabs,
                     [host](const QUrl &url) { host->requestRoute(url); });
}

QWidget *TabPages::createHomePanel(const QString &viewName, const QString &action)
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    WebView *view = createOwnedView(QWebEngineHttpRequest(QUrl(Portal::homeSection(action))), true);
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
    const TabContext &current = m_host.currentContext();
    auto *container = new TabContainer(current.asMainAccount(current.userName).withoutGame(TabContext::Home), m_tabs);
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
    m_host.updateTabBarWidth(m_tabs->count());
    return bar;
}

WebView *TabPages::addWebTab(const QWebEngineHttpRequest &request)
{
    // A page is no game: it keeps only who plays.
    QWidget *container =
        createContainer(QStringLiteral("webtabOther"), m_host.currentContext().withoutGame(TabContext::Web));
    auto *layout = container->layout();
    layout->setSpacing(-1);
    auto *bar = new WebToolBar(m_tabs);
    bar->setGeometry(0, 0, m_tabs->width(), 40);
    TabHost *host = &m_host;
    QObject::connect(bar, &WebToolBar::signalReload, m_tabs, [host] { host->handlerReload(); });
    layout->addWidget(bar);
    WebView *view = createOwnedView(request, true);
    view->setObjectName(QStringLiteral("webotherview"));
    routeLinks(view);
    view->setFocus(Qt::OtherFocusReason);
    layout->addWidget(view);

    showTab(container, view, QString(), QString(), true);
    return view;
}

WebView *TabPages::addHostTab(const QString &host, const QString &game)
{
    TabContainer *container = createContainer(QStringLiteral("webtabHost"), hostContext(TabContext::WebGame, host));
    const QUrl url(Portal::portalRoot() + QStringLiteral("/game.php?client=pcclient&host=") + encoded(host));
    WebView *view = addGameView(container, GameTabParts::WebGameBar, url, QStringLiteral("hostwebview"));
    const QString text = m_host.currentContext().userName + QLatin1Char('|')
                         + (game.isEmpty() ? QStringLiteral("加载中...") : game);
    showTab(container, view, text, text, false);
    return view;
}

WebView *TabPages::addGamePlayTab(const QUrl &url, const TabContext &given)
{
    TabContext context = given;
    context.kind = TabContext::GamePlay;
    context.host = gameOfServer(context.serverId, context.host);
    context.gameType.clear();
    context.isH5Play = false;
    // The tab's account is the one new tabs take over; a click on the tab
    // brings its server back, for full screen and the collection.
    m_host.setCurrentContext(context);
    TabContainer *container = createContainer(QStringLiteral("webtabHost"), context);
    WebView *view = addGameView(container, GameTabParts::WebGameBar, url, QStringLiteral("hostwebview"));
    showTab(container, view, context.userName, QString(), false);
    // Opened from a list that names only the server: the portal tells the game.
    if (context.host.isEmpty())
        m_host.serverHosts()->lookUp(context.serverId);
    return view;
}

void TabPages::giveHost(const QString &serverId, const QString &host)
{
    for (int index = 1; index < m_tabs->count(); ++index) {
        auto *tab = qobject_cast<TabContainer *>(m_tabs->widget(index));
        if (!tab || tab->context().serverId != serverId || !tab->context().host.isEmpty())
            continue;
        TabContext context = tab->context();
        context.host = host;
        tab->setContext(context);
        if (index == m_tabs->currentIndex()) {
            TabContext current = m_host.currentContext();
            current.host = host;
            m_host.setCurrentContext(current);
        }
    }
}

QString TabPages::gameOfServer(const QString &serverId, const QString &hostGiven) const
{
    ServerHosts *hosts = m_host.serverHosts();
    if (hostGiven.isEmpty())
        return hosts->hostOf(serverId);
    hosts->learn(serverId, hostGiven);
    return hostGiven;
}

WebView *TabPages::addH5HostTab(const QString &host, const QString &game)
{
    TabContainer *container = createContainer(QStringLiteral("h5ToolBar"), hostContext(TabContext::H5Game, host));
    const QUrl url(Portal::h5Root() + QLatin1Char('/') + encoded(host));
    WebView *view = addGameView(container, GameTabParts::H5GameBar, url, QStringLiteral("h5HostWebView"));
    showTab(container, view, game, QString(), true);
    return view;
}

TabContext TabPages::hostContext(TabContext::Kind kind, const QString &host)
{
    TabContext context = m_host.currentContext();
    context.kind = kind;
    context.host = host;
    context.gameType = kind == TabContext::H5Game ? QStringLiteral("h5") : QStringLiteral("web");
    context.serverId.clear();
    context.isH5Play = false;
    m_host.setCurrentContext(context);
    return context;
}

TabContainer *TabPages::createContainer(const QString &name, const TabContext &context)
{
    auto *container = new TabContainer(context, m_tabs);
    container->setObjectName(name);
    auto *layout = new QVBoxLayout(container);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 5, 0, 5);
    return container;
}

WebView *TabPages::addGameView(TabContainer *container, GameTabParts::Bar kind, const QUrl &url,
                               const QString &viewName)
{
    QWidget *bar = m_parts ? m_parts->toolBar(kind, m_manager, container) : nullptr;
    if (bar) {
        bar->setGeometry(0, 0, m_tabs->width(), 40);
        container->layout()->addWidget(bar);
    }

    auto *frame = new QFrame;
    frame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *row = new QHBoxLayout(frame);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    WebView *view = createOwnedView(QWebEngineHttpRequest(url), false);
    view->setObjectName(viewName);
    routeLinks(view);
    row->addWidget(view);
    if (QWidget *sideBar = bar ? m_parts->sideBar(bar, m_manager, frame) : nullptr) {
        // Closed until its bar's button opens it.
        sideBar->setFixedWidth(0);
        sideBar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        row->addWidget(sideBar);
    }
    container->layout()->addWidget(frame);
    view->setFocus(Qt::OtherFocusReason);
    return view;
}

void TabPages::showTab(QWidget *container, WebView *view, const QString &text, const QString &toolTip, bool cutTitles)
{
    const int index = m_tabs->addTab(container, text);
    if (!toolTip.isEmpty())
        m_tabs->setTabToolTip(index, toolTip);
    m_tabs->setCurrentIndex(index);
    m_host.updateTabBarWidth(m_tabs->count());
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
    // The tab's own account: titles arrive after other accounts may have opened tabs.
    const QString own = TabContainer::contextOf(container).userName;
    const QString name = own.isEmpty() ? m_host.currentContext().userName : own;
    const QString text = name + QLatin1Char('|') + (cut ? TabTitle::cut(title) : title);
    m_host.showTabTitle(container, TabTitle::elide(text), text);
}
