#include "web/tabwidget.h"

#include "app/appservices.h"

#include "web/bridgechannel.h"
#include "web/tabcontainer.h"
#include "web/bridgerequests.h"
#include "web/fullscreennotification.h"
#include "web/hometoolbar.h"
#include "app/noticebox.h"
#include "net/portal.h"
#include "web/serverhosts.h"
#include "web/splitview.h"
#include "net/session.h"
#include "web/systembrowser.h"
#include "web/tabstripwidth.h"
#include "web/userinput.h"
#include "web/webenginepage.h"
#include "web/webview.h"

#include <QDebug>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QWebChannel>

TabWidget::TabWidget(const AppServices &services, std::unique_ptr<GameTabParts> parts, QWidget *parent)
    : QTabWidget(parent)
    , m_services(services)
    , m_parts(std::move(parts))
    , m_pages(*this, this, m_parts.get())
    , m_webChannel(new BridgeChannel(this))
    , m_serverHosts(new ServerHosts(this))
{
    setObjectName(QStringLiteral("mainTabWidget"));
    connect(tabBar(), &QTabBar::tabBarDoubleClicked, this, QOverload<int>::of(&TabWidget::closeTab));
    connect(tabBar(), &QTabBar::tabBarClicked, this, &TabWidget::handlerTabarClicked);
    tabBar()->setExpanding(false);
    setAttribute(Qt::WA_MouseTracking);
    m_bridge = new BridgeRequests(*this, this);
    UserInput::instance();
    connect(this, &TabWidget::signalRouteRequested, this,
            [this](const QUrl &url) { HandlerCreateWebBridge(url, QWebEnginePage::NavigationTypeLinkClicked); });
    // A tab that becomes current without a click (another closed) brings its account back too.
    connect(this, &QTabWidget::currentChanged, this, &TabWidget::handlerTabarClicked);
    connect(m_serverHosts, &ServerHosts::hostKnown, this,
            [this](const QString &serverId, const QString &host) { m_pages.giveHost(serverId, host); });
}

TabWidget::~TabWidget() = default;

QString TabWidget::askForGameOf(QWidget *tab)
{
    const QString serverId = TabContainer::contextOf(tab).serverId;
    m_serverHosts->lookUp(serverId);
    return QStringLiteral("正在查询该服务器所属的游戏，请稍后再试");
}

void TabWidget::setCurrentUserName(const QString &name)
{
    m_context.userName = name;
    // The tab in front (the home tab at a login) belongs to that account too.
    if (auto *tab = qobject_cast<TabContainer *>(currentWidget())) {
        TabContext context = tab->context();
        context.userName = name;
        tab->setContext(context);
    }
}

void TabWidget::setCurrentContext(const TabContext &context)
{
    m_context = context;
}

void TabWidget::requestRoute(const QUrl &url)
{
    emit signalRouteRequested(url);
}

void TabWidget::requestSkin(const QString &url, const QString &option)
{
    emit signalSkinRequested(url, option);
}

Session *TabWidget::session() const
{
    return m_services.session;
}

bool TabWidget::checkLogin()
{
    Session *current = session();
    if (current && current->isLoggedIn())
        return true;
    emit signalLoginRequested();
    return false;
}

void TabWidget::handlerMainLogin(const Identity &who)
{
    closeTabsButHome();
    setCurrentUserName(who.userName);
}

void TabWidget::updateTabBarWidth(int count)
{
    const QString sheet = TabStripWidth::styleSheet(width(), count);
    // Every resize of the window lands here; re-polishing all tabs for an unchanged sheet is wasted work.
    if (styleSheet() != sheet)
        setStyleSheet(sheet);
}

void TabWidget::closeTabsButHome()
{
    // Counted down, so a tab that refuses to close cannot hold the loop.
    for (int open = count(); open > 1; --open)
        closeTab();
}

void TabWidget::loadHomeLeftPage(const QString &userId)
{
    auto *left = findChild<WebView *>(QStringLiteral("homeLeftView"));
    if (!left)
        return;
    QString address = Portal::homeSection(QStringLiteral("left"));
    if (!userId.isNull())
        address += QStringLiteral("&user_id=") + userId;
    left->page()->load(QUrl(address));
}

void TabWidget::closeTab()
{
    if (count() > 1)
        closeTab(count() - 1);
}

void TabWidget::closeTab(int tabindex)
{
    // The home tab stays for the life of the window.
    if (tabindex <= 0 || tabindex >= count())
        return;
    QWidget *container = widget(tabindex);
    // Closing the split view closes no game: its tabs go back to the strip.
    if (m_split && container == m_split) {
        m_split->putAllBack();
        return;
    }
    // A page waiting for the answer to its dialog is further down the stack:
    // the dialog ends first and the tab closes once it has returned.
    if (WebEnginePage::endDialogsIn(container)) {
        QPointer<QWidget> tab(container);
        QTimer::singleShot(0, this, [this, tab] {
            if (tab)
                closeTab(indexOf(tab));
        });
        return;
    }
    removeTab(tabindex);
    // Views own their pages and the container owns views and toolbars.
    container->deleteLater();
    updateTabBarWidth(count());
}

void TabWidget::createHomeTab()
{
    if (m_homeToolBar)
        return;
    m_homeToolBar = m_pages.addHomeTab();
    connectHomeToolBar();
}

void TabWidget::connectHomeToolBar()
{
    connect(m_homeToolBar, &HomeToolBar::signalHomePage, this, &TabWidget::handlerReloadHomePage);
    connect(m_homeToolBar, &HomeToolBar::signalWebGame, this, &TabWidget::handlerReloadWebGame);
    connect(m_homeToolBar, &HomeToolBar::signalMobileGame, this, &TabWidget::handlerReloadMobileGame);
    connect(m_homeToolBar, &HomeToolBar::signalH5Game, this, &TabWidget::handlerReloadH5Game);
    connect(m_homeToolBar, &HomeToolBar::signalPortalPageRequested, this, [this](const QUrl &url) {
        if (checkLogin())
            createWebTab(url);
    });
}

void TabWidget::loadHomeSection(const QString &action)
{
    if (auto *view = findChild<WebView *>(QStringLiteral("homePageWebView")))
        view->load(QUrl(Portal::homeSection(action)));
}

void TabWidget::handlerReloadHomePage()
{
    loadHomeSection(QStringLiteral("index"));
}

void TabWidget::handlerReloadWebGame()
{
    loadHomeSection(QStringLiteral("web_game"));
}

void TabWidget::handlerReloadMobileGame()
{
    loadHomeSection(QStringLiteral("mobile_game"));
}

void TabWidget::handlerReloadH5Game()
{
    loadHomeSection(QStringLiteral("h5_game"));
}

WebView *TabWidget::createWebTab(const QUrl &url)
{
    return createWebTab(QWebEngineHttpRequest(url));
}

WebView *TabWidget::createWebTab(const QWebEngineHttpRequest &request)
{
    // Whatever asked for the tab, it shows web pages: a link, a rule or a reply
    // naming a local file or an inline document opens nothing.
    if (!Portal::isWebAddress(request.url()))
        return nullptr;
    if (!checkLogin())
        return nullptr;
    return m_pages.addWebTab(request);
}

WebView *TabWidget::createHostTab(QString host, QString game)
{
    if (!checkLogin())
        return nullptr;
    return m_pages.addHostTab(host, game);
}

WebView *TabWidget::createGamePlayTab(QUrl url)
{
    return createGamePlayTab(url, m_context);
}

WebView *TabWidget::createGamePlayTab(const QUrl &url, const TabContext &context)
{
    if (!Portal::isAllowedAddress(url))
        return nullptr;
    return m_pages.addGamePlayTab(url, context);
}

WebView *TabWidget::createH5HostTab(QString host, QString game)
{
    if (!checkLogin())
        return nullptr;
    return m_pages.addH5HostTab(host, game);
}

void TabWidget::handlerTabarClicked(int index)
{
    takeContextOf(tabAt(index));
}

void TabWidget::takeContextOf(QWidget *tab)
{
    if (!tab) {
        m_context.profileFlag = TabContext::mainProfileFlag();
        return;
    }
    // A tab that does not know its account (the home tab before a login) keeps the name.
    const QString name = m_context.userName;
    m_context = TabContainer::contextOf(tab);
    if (m_context.userName.isEmpty())
        m_context.userName = name;
}

QWidget *TabWidget::tabAt(int index) const
{
    QWidget *tab = widget(index);
    return m_split && tab == m_split ? m_split->activePane() : tab;
}

QWidget *TabWidget::currentTab() const
{
    return tabAt(currentIndex());
}

bool TabWidget::addToSplit(QWidget *tab)
{
    if (!m_split) {
        m_split = new SplitView(this);
        connect(m_split, &SplitView::signalPaneActivated, this, [this](QWidget *pane) {
            takeContextOf(pane);
            emit signalPaneActivated(pane);
        });
        connect(m_split, &SplitView::signalTabsReturned, this, [this] { updateTabBarWidth(count()); });
    }
    const bool added = m_split->add(tab);
    if (m_split->panes().isEmpty())
        delete m_split;
    updateTabBarWidth(count());
    return added;
}

WebView *TabWidget::currentView(const QStringList &names) const
{
    QWidget *tab = currentTab();
    for (const QString &name : names) {
        if (auto *view = tab ? tab->findChild<WebView *>(name) : nullptr)
            return view;
    }
    return nullptr;
}

WebView *TabWidget::homePageView() const
{
    return findChild<WebView *>(QStringLiteral("homePageWebView"));
}

void TabWidget::handlerReload()
{
    // The home views are never reloaded from here.
    if (WebView *view = currentView({QStringLiteral("hostwebview"), QStringLiteral("webotherview"),
                                     QStringLiteral("h5HostWebView")}))
        view->reload();
}

void TabWidget::handlerFullscreen()
{
    if (!m_context.isPlaying()) {
        showMessage(QStringLiteral("非游戏窗口不允许全屏"));
        return;
    }
    QWidget *tab = currentTab();
    auto *view = tab ? tab->findChild<WebView *>() : nullptr;
    if (!view)
        return;
    view->setWindowFlags(Qt::Dialog);
    // The whole screen even where no window manager carries out the request.
    view->setGeometry(view->screen()->geometry());
    view->showFullScreen();
    auto *notice = new FullScreenNotification(view);
    notice->show();
    notice->raise();
}

void TabWidget::handlerOpenJFSC()
{
    createWebTab(QUrl(Portal::pointsMall()));
    emit signalPointsShopOpened();
}

void TabWidget::handlerOpenUrl(const QString &url, const QString &option)
{
    m_bridge->openUrl(url, option);
}

void TabWidget::handlerSign()
{
    if (checkLogin())
        emit signalSignRequested();
}

void TabWidget::showSignInPoints(const QString &points)
{
    // A sign-in changes the points; the home tab would show the login's until the next login.
    if (!m_homeToolBar || m_homeToolBar->points() == points)
        return;
    m_homeToolBar->showPoints(points);
    loadHomeLeftPage(session() ? session()->identity().userId : QString());
}

void TabWidget::openAppDownload(const QString &host, const QString &game)
{
    Q_UNUSED(game)
    SystemBrowser::open(this, QUrl(Portal::portalRoot() + QStringLiteral("/sy/download.php?appid=") + host
                                   + QStringLiteral("&from=korvo_dodev")));
}

void TabWidget::showMessage(const QString &text)
{
    NoticeBox::show(this, text);
}

void TabWidget::setGameIdHosts(const QHash<QString, QString> &map)
{
    m_routes.setGameIdHosts(map);
}

void TabWidget::HandlerCreateWebBridge(QUrl url, QWebEnginePage::NavigationType type)
{
    Q_UNUSED(type)
    qDebug() << "HandlerCreateWebBridge url:" << url.toString(QUrl::RemoveQuery);
    if (!checkLogin())
        return;
    m_routes.follow(url);
}
