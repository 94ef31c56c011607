#include "web/bridgechannel.h"
#include "web/hometoolbar.h"
#include "web/external.h"
#include "account/loginform.h"
#include "net/portal.h"
#include "app/skinstyle.h"
#include "tabfixture.h"
#include "web/tabstripwidth.h"
#include "web/tabcontainer.h"
#include "web/tabwidget.h"
#include "web/webtoolbar.h"
#include "web/webview.h"
#include "windowchecks.h"

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QUrlQuery>
#include <QWebEngineProfile>

class TestTabWidget final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void homeTabShowsThePortal();
    void homeSectionsReloadTheHomePage_data();
    void homeSectionsReloadTheHomePage();
    void webTabNeedsALogin();
    void closeTabKeepsTheHomeTab();
    void closedTabReleasesViewAndPage();
    void tabBarWidth_data();
    void tabBarWidth();
    void webTabTakesThePageTitle();
    void titleFollowsItsTabAfterAnEarlierOneCloses();
    void pageBridgeOpensAWebTabWithItsToolbar();
    void tabClickBringsBackItsContext();
    void bridgeServesOnlyThePortalsOwnDocuments();
    void skinChoicesNeedAPortalAddress_data();
    void bridgeShowsOnlyAllowedAddresses_data();
    void bridgeShowsOnlyAllowedAddresses();
    void skinChoicesNeedAPortalAddress();

private:
    WebView *homeView(const QString &name) const;
    WebView *openPage(const QString &path);
    void setTitle(WebView *view, const QString &title);

    TabFixture m_fixture;
    TabWidget *m_tabs = nullptr;
};

void TestTabWidget::initTestCase()
{
    QVERIFY2(m_fixture.start(), "the stand-in portal did not start");
    m_tabs = m_fixture.tabs();
}

void TestTabWidget::init()
{
    m_fixture.logOut();
    m_tabs->resize(1000, 600);
}

WebView *TestTabWidget::homeView(const QString &name) const
{
    return TabFixture::view(m_tabs->widget(0), name);
}

WebView *TestTabWidget::openPage(const QString &path)
{
    return m_tabs->createWebTab(QUrl(m_fixture.portalRoot() + path));
}

void TestTabWidget::setTitle(WebView *view, const QString &title)
{
    view->page()->runJavaScript(QStringLiteral("document.title = '%1'").arg(title));
}

void TestTabWidget::homeTabShowsThePortal()
{
    QCOMPARE(m_tabs->count(), 1);
    QCOMPARE(m_tabs->tabText(0), QStringLiteral("游戏中心"));
    QCOMPARE(m_tabs->tabToolTip(0), QStringLiteral("游戏中心"));
    QCOMPARE(m_tabs->widget(0)->objectName(), QStringLiteral("homeMainWidget"));
    QCOMPARE(m_tabs->widget(0)->property("myProfileFlag").toString(), QStringLiteral("default"));
    WebView *left = homeView(QStringLiteral("homeLeftView"));
    WebView *main = homeView(QStringLiteral("homePageWebView"));
    QVERIFY(left && main);
    const QString index = Portal::portalIndex();
    QTRY_COMPARE_WITH_TIMEOUT(left->url(), QUrl(index + QStringLiteral("?type=web&action=left&v2")), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(main->url(), QUrl(index + QStringLiteral("?type=web&action=index&v2")), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(left->title(), QStringLiteral("用户面板"), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(main->title(), QStringLiteral("Korvo游戏盒 - 首页"), 15000);
    QCOMPARE(left->page()->profile()->storageName(), QStringLiteral("default"));
    QCOMPARE(m_tabs->tabText(0), QStringLiteral("游戏中心"));
    QVERIFY(left->page()->webChannel() && main->page()->webChannel());
}

void TestTabWidget::homeSectionsReloadTheHomePage_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("title");
    QTest::newRow("web games") << "homeBar_WebGameBtn" << "web_game" << "网页游戏";
    QTest::newRow("mobile games") << "homeBar_MobileGameBtn" << "mobile_game" << "手机游戏";
    QTest::newRow("h5 games") << "homeBar_H5GameBtn" << "h5_game" << "H5小游戏";
    QTest::newRow("home page") << "homeBar_HomePageBtn" << "index" << "Korvo游戏盒 - 首页";
}

void TestTabWidget::homeSectionsReloadTheHomePage()
{
    QFETCH(QString, button);
    QFETCH(QString, action);
    QFETCH(QString, title);
    WebView *main = homeView(QStringLiteral("homePageWebView"));
    QTest::mouseClick(m_tabs->homeToolBar()->findChild<QPushButton *>(button), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(main->url(), QUrl(Portal::webPage(action) + QStringLiteral("&v2")), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(main->title(), title, 15000);
    QCOMPARE(m_tabs->count(), 1);
}

void TestTabWidget::webTabNeedsALogin()
{
    QVERIFY(!m_tabs->checkLogin());
    QVERIFY(m_fixture.loginForm()->isVisible());
    m_fixture.loginForm()->hide();
    QVERIFY(!openPage(QStringLiteral("/gift.php")));
    QCOMPARE(m_tabs->count(), 1);
    QVERIFY(m_fixture.loginForm()->isVisible());

    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    QVERIFY(m_tabs->checkLogin());
    WebView *view = openPage(QStringLiteral("/gift.php"));
    QVERIFY(view);
    QCOMPARE(view->objectName(), QStringLiteral("webotherview"));
    QCOMPARE(m_tabs->currentIndex(), 1);
    QCOMPARE(m_tabs->currentWidget()->objectName(), QStringLiteral("webtabOther"));
    QCOMPARE(m_tabs->currentWidget()->property("userName").toString(), QStringLiteral("korvo"));
    QCOMPARE(m_tabs->currentWidget()->property("myProfileFlag").toString(), QStringLiteral("default"));
}

void TestTabWidget::closeTabKeepsTheHomeTab()
{
    m_tabs->closeTab();
    m_tabs->closeTab(0);
    QTest::mouseDClick(m_tabs->tabBar(), Qt::LeftButton, {}, m_tabs->tabBar()->tabRect(0).center());
    QCOMPARE(m_tabs->count(), 1);

    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    QPointer<QWidget> first = openPage(QStringLiteral("/gift.php"))->parentWidget();
    QWidget *second = openPage(QStringLiteral("/service.php"))->parentWidget();
    openPage(QStringLiteral("/jfsc/earnPoint.php"));
    QCOMPARE(m_tabs->count(), 4);
    m_tabs->closeTab();
    QCOMPARE(m_tabs->count(), 3);
    QCOMPARE(m_tabs->widget(2), second);
    m_tabs->closeTab(0);
    m_tabs->closeTab(7);
    QTest::mouseDClick(m_tabs->tabBar(), Qt::LeftButton, {}, m_tabs->tabBar()->tabRect(1).center());
    QCOMPARE(m_tabs->count(), 2);
    QCOMPARE(m_tabs->widget(1), second);
    // The double-clicked tab went, with its view and page.
    QTRY_VERIFY_WITH_TIMEOUT(!first, 5000);
    m_tabs->closeTab();
    m_tabs->closeTab();
    QCOMPARE(m_tabs->count(), 1);
    QCOMPARE(m_tabs->widget(0)->objectName(), QStringLiteral("homeMainWidget"));
}

void TestTabWidget::closedTabReleasesViewAndPage()
{
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    QPointer<WebView> view = openPage(QStringLiteral("/gift.php"));
    QPointer<QWebEnginePage> page = view->page();
    QPointer<QWidget> tab = m_tabs->widget(1);
    m_tabs->closeTab(1);
    QCOMPARE(m_tabs->count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(view.isNull() && page.isNull() && tab.isNull(), 5000);
}

void TestTabWidget::tabBarWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("px");
    QTest::newRow("room for three of four") << 1000 << 3 << 470;
    QTest::newRow("as many as fit") << 1000 << 4 << 620;
    QTest::newRow("more than fit") << 1000 << 5 << 600;
    QTest::newRow("no tabs") << 1000 << 0 << 20;
    QTest::newRow("wide window") << 1920 << 1 << 170;
    QTest::newRow("wide window, many tabs") << 1920 << 30 << 1500;
}

void TestTabWidget::tabBarWidth()
{
    QFETCH(int, width);
    QFETCH(int, count);
    QFETCH(int, px);
    m_tabs->resize(width, 600);
    m_tabs->updateTabBarWidth(count);
    QVERIFY(m_tabs->styleSheet().startsWith(QStringLiteral("QTabWidget#mainTabWidget::tab-bar{width:%1px;}").arg(px)));
    // The tabs' share of the strip follows the manager's own width.
    QCOMPARE(m_tabs->styleSheet(), TabStripWidth::styleSheet(width, count));
}

void TestTabWidget::webTabTakesThePageTitle()
{
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    m_tabs->setCurrentUserName(QStringLiteral("bob"));
    WebView *view = openPage(QStringLiteral("/gift.php"));
    QCOMPARE(m_tabs->tabText(1), QString());
    QTRY_COMPARE_WITH_TIMEOUT(m_tabs->tabText(1), QStringLiteral("bob|礼包中心"), 15000);
    QCOMPARE(m_tabs->tabToolTip(1), QStringLiteral("bob|礼包中心"));
    setTitle(view, QStringLiteral("Dragon Legend Online - Play"));
    QTRY_COMPARE_WITH_TIMEOUT(m_tabs->tabToolTip(1), QStringLiteral("bob|Dragon Legend Online "), 5000);
    QCOMPARE(m_tabs->tabText(1), QStringLiteral("bob|Dragon ..."));
    QCOMPARE(m_tabs->tabText(0), QStringLiteral("游戏中心"));
}

void TestTabWidget::titleFollowsItsTabAfterAnEarlierOneCloses()
{
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    WebView *first = openPage(QStringLiteral("/gift.php"));
    WebView *second = openPage(QStringLiteral("/service.php"));
    QTRY_COMPARE_WITH_TIMEOUT(m_tabs->tabText(2), QStringLiteral("korvo|客服中心"), 15000);
    QCOMPARE(m_tabs->indexOf(first->parentWidget()), 1);
    m_tabs->closeTab(1);
    setTitle(second, QStringLiteral("Tetris - Play"));
    QTRY_COMPARE_WITH_TIMEOUT(m_tabs->tabText(1), QStringLiteral("korvo|Tetris "), 5000);
    QCOMPARE(m_tabs->count(), 2);
}

void TestTabWidget::pageBridgeOpensAWebTabWithItsToolbar()
{
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    WebView *main = homeView(QStringLiteral("homePageWebView"));
    main->load(QUrl(Portal::webPage(QStringLiteral("index")) + QStringLiteral("&v2")));
    QSignalSpy loaded(main, &WebView::loadFinished);
    QVERIFY(loaded.wait(15000));
    // The feed link calls external.OpenUrl(<feed>, "open") over the web channel.
    WindowChecks::userInput(main);
    main->page()->runJavaScript(QStringLiteral("document.querySelector('a[onclick*=dynamic]').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(m_tabs->count(), 2, 15000);
    QWidget *tab = m_tabs->currentWidget();
    QVERIFY(tab->findChild<WebToolBar *>());
    QTRY_COMPARE_WITH_TIMEOUT(TabFixture::view(tab, QStringLiteral("webotherview"))->url().path(),
                              QStringLiteral("/dynamic.php"), 15000);

    // "back" returns to where the last search started; before any search the page stays.
    const QUrl index = main->url();
    m_tabs->handlerOpenUrl(QString(), QStringLiteral("back"));
    QCOMPARE(main->url(), index);
    m_tabs->handlerOpenUrl(Portal::webPage(QStringLiteral("web_game")) + QStringLiteral("&v2&keyword=x"),
                           QStringLiteral("search"));
    QTRY_COMPARE_WITH_TIMEOUT(QUrlQuery(main->url()).queryItemValue(QStringLiteral("keyword")), QStringLiteral("x"), 15000);
    m_tabs->handlerOpenUrl(QString(), QStringLiteral("back"));
    QTRY_COMPARE_WITH_TIMEOUT(main->url(), index, 15000);
}

void TestTabWidget::tabClickBringsBackItsContext()
{
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    auto *game = qobject_cast<TabContainer *>(openPage(QStringLiteral("/gift.php"))->parentWidget());
    QVERIFY(game);
    TabContext played = game->context();
    played.serverId = QStringLiteral("12");
    played.profileFlag = QStringLiteral("4711");
    game->setContext(played);
    QCOMPARE(game->property("serverId").toString(), QStringLiteral("12"));
    m_tabs->setCurrentContext(TabContext());
    m_tabs->handlerTabarClicked(1);
    QCOMPARE(m_tabs->currentContext().serverId, QStringLiteral("12"));
    QCOMPARE(m_tabs->currentContext().profileFlag, QStringLiteral("4711"));
    m_tabs->handlerTabarClicked(-1);
    QCOMPARE(m_tabs->currentContext().profileFlag, QStringLiteral("default"));

    // A tab without a server and not playing H5 may not go full screen.
    m_tabs->handlerTabarClicked(0);
    m_tabs->handlerFullscreen();
    auto *box = m_tabs->findChild<QMessageBox *>();
    QVERIFY(box);
    QCOMPARE(box->text(), QStringLiteral("非游戏窗口不允许全屏"));
    box->close();
}

namespace {
// Every signal a page's call of the bridge can become.
struct BridgeSignals
{
    External *x = External::instance();
    QSignalSpy spies[8] = {{x, &External::signalOpenGame},  {x, &External::signalOpenGame_h5},
                           {x, &External::signalOpenGame_app}, {x, &External::signalSign},
                           {x, &External::signalOpenUrl},   {x, &External::signalOpenJFSC},
                           {x, &External::signalLoginOut},  {x, &External::signalSwitchUser}};
    int firedKinds() const
    {
        return int(std::count_if(std::begin(spies), std::end(spies), [](const QSignalSpy &s) { return !s.isEmpty(); }));
    }
};
}

void TestTabWidget::bridgeServesOnlyThePortalsOwnDocuments()
{
    // The probe calls every method of the bridge it reaches. The same server
    // under another name is another origin.
    const QString probe = QStringLiteral("/static/bridge_probe.html");
    QString foreignRoot = m_fixture.portalRoot();
    foreignRoot.replace(QStringLiteral("127.0.0.1"), QStringLiteral("localhost"));
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    BridgeSignals calls;

    // A foreign document in a tab finds a channel with nothing on it.
    WebView *view = m_tabs->createWebTab(QUrl(foreignRoot + probe));
    QTRY_COMPARE_WITH_TIMEOUT(view->title(), QStringLiteral("probe:no-external"), 15000);

    // A foreign frame inside a portal page finds no way to the bridge at all.
    QSignalSpy loaded(view, &WebView::loadFinished);
    view->load(QUrl(m_fixture.portalRoot() + QStringLiteral("/news")));
    QVERIFY(loaded.wait(15000));
    view->page()->runJavaScript(QStringLiteral("addEventListener('message', function (e) { document.title = e.data; });"
                                               "var f = document.createElement('iframe'); f.src = '%1';"
                                               "document.body.appendChild(f);")
                                    .arg(foreignRoot + probe));
    QTRY_COMPARE_WITH_TIMEOUT(view->title(), QStringLiteral("probe:no-transport"), 15000);
    QCOMPARE(calls.firedKinds(), 0);

    // Back on its own origin, the same tab's document reaches every method.
    view->load(QUrl(m_fixture.portalRoot() + probe));
    QTRY_COMPARE_WITH_TIMEOUT(view->title(), QStringLiteral("probe:called"), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(calls.firedKinds(), 8, 15000);

    // Once both documents' channel clients are idle, neither channel keeps a
    // timer waking the window for property changes it never has.
    const auto *bridge = qobject_cast<BridgeChannel *>(m_tabs->webChannel());
    const auto *empty = view->page()->findChild<BridgeChannel *>();
    QVERIFY(bridge && empty);
    QTRY_COMPARE_WITH_TIMEOUT(bridge->runningTimers() + empty->runningTimers(), 0, 15000);
}

void TestTabWidget::skinChoicesNeedAPortalAddress_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("passed");
    const QString portal = Portal::portalRoot() + QStringLiteral("/skins/blue.zip");
    QTest::newRow("portal package") << portal << QStringLiteral("blue") << true;
    QTest::newRow("H5 host package") << Portal::h5Root() + QStringLiteral("/blue.zip") << QStringLiteral("x") << true;
    QTest::newRow("default needs no address") << QString() << QStringLiteral("default") << true;
    QTest::newRow("other host") << QStringLiteral("http://example.invalid/blue.zip") << QStringLiteral("blue") << false;
    QTest::newRow("portal name, other port")
        << QString(portal).replace(Portal::portalHost(), QUrl(Portal::portalRoot()).host() + QStringLiteral(":1"))
        << QStringLiteral("blue") << false;
    QTest::newRow("local file") << QStringLiteral("file:///etc/passwd") << QStringLiteral("blue") << false;
    QTest::newRow("no address") << QString() << QStringLiteral("blue") << false;
}

void TestTabWidget::skinChoicesNeedAPortalAddress()
{
    QFETCH(QString, url);
    QFETCH(QString, option);
    QFETCH(bool, passed);
    QSignalSpy skin(m_tabs, &TabWidget::signalSkinRequested);
    m_tabs->handlerOpenUrl(url, option);
    QCOMPARE(skin.count(), passed ? 1 : 0);
}

void TestTabWidget::bridgeShowsOnlyAllowedAddresses_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("option");
    const QString skinPage = QStringLiteral("file://") + SkinStyle::themesDirectory() + QStringLiteral("blue/readme.html");
    for (const char *option : {"open", "todayserver", "search"}) {
        const QString o = QLatin1String(option);
        QTest::newRow(qPrintable(o + QStringLiteral(": skin page"))) << skinPage << o;
        QTest::newRow(qPrintable(o + QStringLiteral(": system file"))) << QStringLiteral("file:///etc/passwd") << o;
        QTest::newRow(qPrintable(o + QStringLiteral(": through the process")))
            << QStringLiteral("file:///proc/self/cwd/vmgamebox.db") << o;
        QTest::newRow(qPrintable(o + QStringLiteral(": page source")))
            << QStringLiteral("view-source:") + Portal::portalRoot() + QStringLiteral("/news") << o;
        QTest::newRow(qPrintable(o + QStringLiteral(": inline document")))
            << QStringLiteral("data:text/html,<b>x</b>") << o;
        QTest::newRow(qPrintable(o + QStringLiteral(": other host"))) << QStringLiteral("http://evil.test/") << o;
    }
}

void TestTabWidget::bridgeShowsOnlyAllowedAddresses()
{
    QFETCH(QString, url);
    QFETCH(QString, option);
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    WebView *home = homeView(QStringLiteral("homePageWebView"));
    m_tabs->handlerOpenUrl(url, option);
    QCOMPARE(m_tabs->count(), 1);
    // A page source is requested as the page it names.
    const QUrl requested = home->page()->requestedUrl();
    QVERIFY(requested != QUrl(url));
    QVERIFY(requested != QUrl(url.section(QLatin1Char(':'), 1)));
}

QTEST_MAIN(TestTabWidget)
#include "tst_tabwidget.moc"
