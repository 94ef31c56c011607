#include "web/external.h"
#include "gametools/h5hosttoolbar.h"
#include "gametools/hosttoolbar.h"
#include "account/loginform.h"
#include "net/portal.h"
#include "tabfixture.h"
#include "web/tabtitle.h"
#include "web/tabwidget.h"
#include "web/urlrules.h"
#include "web/webengineprofile.h"
#include "web/webview.h"
#include "windowchecks.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QPushButton>
#include <QUrlQuery>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>

class TestGameTabs final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void gameTabsNeedALogin();
    void gameTabs_data();
    void gameTabs();
    void titles_data();
    void titles();
    void pageBridgeOpensGameTabs_data();
    void pageBridgeOpensGameTabs();
    void gameLinksAskForARoute();
    void closedGameTabReleasesViewPageAndToolbar_data();
    void routedLinksOpenTheirKindOfTab_data();
    void routedLinksOpenTheirKindOfTab();
    void gamePlayLinkCarriesThePlayersIdentity();
    void aTabBringsBackItsOwnPlayer();
    void gamesGoFullScreenAndBack_data();
    void gamesGoFullScreenAndBack();
    void closedGameTabReleasesViewPageAndToolbar();

private:
    WebView *open(const QString &kind, const QString &game = QString());

    TabFixture m_fixture;
    TabWidget *m_tabs = nullptr;
};

void TestGameTabs::initTestCase()
{
    QVERIFY2(m_fixture.start(), "the stand-in portal did not start");
    m_tabs = m_fixture.tabs();
}

void TestGameTabs::init()
{
    m_fixture.logOut();
    m_fixture.changeContext([](TabContext &context) {
        context = TabContext().withoutGame(TabContext::Web);
        context.isH5Play = true;
    });
}

// "web": a web game's server list; "play": server 102 being played; "h5": an H5 game.
WebView *TestGameTabs::open(const QString &kind, const QString &game)
{
    if (kind == QLatin1String("web"))
        return m_tabs->createHostTab(QStringLiteral("xianxia"), game);
    if (kind == QLatin1String("h5"))
        return m_tabs->createH5HostTab(QStringLiteral("snake"), game);
    m_fixture.changeContext([](TabContext &context) {
        context.host = QStringLiteral("xianxia");
        context.serverId = QStringLiteral("102");
    });
    return m_tabs->createGamePlayTab(QUrl(Portal::portalRoot() + QStringLiteral("/game_play/102.html")));
}

void TestGameTabs::gameTabsNeedALogin()
{
    QVERIFY(!open(QStringLiteral("web"), QStringLiteral("仙侠传说")));
    QVERIFY(!open(QStringLiteral("h5"), QStringLiteral("贪吃蛇大作战")));
    QCOMPARE(m_tabs->count(), 1);
    QVERIFY(m_fixture.loginForm()->isVisible());
    QVERIFY(m_tabs->currentContext().host.isEmpty());
    m_fixture.loginForm()->hide();
    // The game-play address comes from a page the user already opened: no second check.
    QVERIFY(open(QStringLiteral("play")));
    QCOMPARE(m_tabs->count(), 2);
    QVERIFY(!m_fixture.loginForm()->isVisible());
}

void TestGameTabs::gameTabs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("profileFlag");
    QTest::addColumn<QString>("game");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("viewName");
    QTest::addColumn<QString>("gameType");   // empty: no such property
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("tabText");
    QTest::addColumn<QString>("toolTip");
    const QString servers = QStringLiteral("portal:/game.php?client=pcclient&host=xianxia");
    QTest::newRow("web game") << "web" << "default" << "仙侠传说" << "webtabHost" << "hostwebview" << "web"
                              << servers << "korvo|仙侠传说" << "korvo|仙侠传说";
    QTest::newRow("web game without name") << "web" << "default" << "" << "webtabHost" << "hostwebview" << "web"
                                           << servers << "korvo|加载中..." << "korvo|加载中...";
    QTest::newRow("web game, small account") << "web" << "4711" << "仙侠传说" << "webtabHost" << "hostwebview"
                                             << "web" << servers << "korvo|仙侠传说" << "korvo|仙侠传说";
    QTest::newRow("server played") << "play" << "default" << "" << "webtabHost" << "hostwebview" << ""
                                   << "portal:/game_play/102.html" << "korvo" << "";
    QTest::newRow("h5 game") << "h5" << "default" << "贪吃蛇大作战" << "h5ToolBar" << "h5HostWebView" << "h5"
                             << "h5:/snake" << "贪吃蛇大作战" << "";
    QTest::newRow("h5 game, small account") << "h5" << "4711" << "贪吃蛇大作战" << "h5ToolBar" << "h5HostWebView"
                                            << "h5" << "h5:/snake" << "贪吃蛇大作战" << "";
}

void TestGameTabs::gameTabs()
{
    QFETCH(QString, kind);
    QFETCH(QString, profileFlag);
    QFETCH(QString, game);
    QFETCH(QString, container);
    QFETCH(QString, viewName);
    QFETCH(QString, gameType);
    QFETCH(QString, url);
    QFETCH(QString, tabText);
    QFETCH(QString, toolTip);
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    m_fixture.changeContext([&](TabContext &context) { context.profileFlag = profileFlag; });
    WebView *view = open(kind, game);
    QVERIFY(view);
    QCOMPARE(m_tabs->count(), 2);
    QCOMPARE(m_tabs->currentIndex(), 1);
    QWidget *tab = m_tabs->currentWidget();
    QCOMPARE(tab->objectName(), container);
    QCOMPARE(TabFixture::view(tab, viewName), view);
    QCOMPARE(tab->findChildren<WebView *>().size(), 1);

    const QString host = kind == QLatin1String("h5") ? QStringLiteral("snake") : QStringLiteral("xianxia");
    QCOMPARE(tab->property("host").toString(), host);
    QCOMPARE(m_tabs->currentContext().host, host);
    QCOMPARE(tab->property("gameType").toString(), gameType);
    QCOMPARE(tab->property("gameType").isValid(), !gameType.isEmpty());
    QCOMPARE(tab->property("userName").toString(), QStringLiteral("korvo"));
    QCOMPARE(tab->property("myProfileFlag").toString(), profileFlag);

    QString address = url;
    address.replace(QLatin1String("portal:"), Portal::portalRoot()).replace(QLatin1String("h5:"), Portal::h5Root());
    QCOMPARE(view->page()->requestedUrl(), QUrl(address));
    QCOMPARE(view->page()->profile(), WebEngineProfile::profileFor(profileFlag));
    // Game pages are the games' own: they never reach the page bridge.
    QVERIFY(!view->page()->webChannel());

    QCOMPARE(m_tabs->tabText(1), tabText);
    QCOMPARE(m_tabs->tabToolTip(1), toolTip);

    if (kind == QLatin1String("h5")) {
        QVERIFY(tab->findChild<H5HostToolBar *>());
        QVERIFY(!tab->findChild<HostToolBar *>());
        QVERIFY(!m_tabs->currentContext().isH5Play);
    } else {
        QVERIFY(tab->findChild<HostToolBar *>());
        QVERIFY(!tab->findChild<H5HostToolBar *>());
        // Only a server being played can be collected.
        auto *collect = tab->findChild<QPushButton *>(QStringLiteral("hostBar_CollectionBtn"));
        QCOMPARE(collect->isVisibleTo(tab), kind == QLatin1String("play"));
    }
}

void TestGameTabs::titles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("toolTip");
    // Web games keep the whole title; H5 games show it up to its first separator.
    QTest::newRow("web game") << "web" << "龙城 - 第2关" << "korvo|龙城 - 第2关";
    QTest::newRow("server played") << "play" << "龙城 - 第2关" << "korvo|龙城 - 第2关";
    QTest::newRow("h5 game") << "h5" << "龙城 - 第2关" << "korvo|龙城 ";
}

void TestGameTabs::titles()
{
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QString, toolTip);
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    WebView *view = open(kind, QStringLiteral("仙侠传说"));
    QSignalSpy loaded(view, &WebView::loadFinished);
    QVERIFY(loaded.wait(15000));
    view->page()->runJavaScript(QStringLiteral("document.title = '%1'").arg(title));
    QTRY_COMPARE_WITH_TIMEOUT(m_tabs->tabToolTip(1), toolTip, 5000);
    QCOMPARE(m_tabs->tabText(1), TabTitle::elide(toolTip));
}

void TestGameTabs::pageBridgeOpensGameTabs_data()
{
    QTest::addColumn<QString>("gameType");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("container");
    QTest::newRow("web") << "web" << "longcheng" << "webtabHost";
    QTest::newRow("h5") << "h5" << "bricks" << "h5ToolBar";
}

void TestGameTabs::pageBridgeOpensGameTabs()
{
    QFETCH(QString, gameType);
    QFETCH(QString, host);
    QFETCH(QString, container);
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    WindowChecks::userInput(m_tabs);
    External::instance()->OpenGame(host, QStringLiteral("游戏"), gameType);
    QCOMPARE(m_tabs->count(), 2);
    QCOMPARE(m_tabs->currentWidget()->objectName(), container);
    QCOMPARE(m_tabs->currentWidget()->property("host").toString(), host);
}

void TestGameTabs::gameLinksAskForARoute()
{
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    WebView *view = open(QStringLiteral("web"), QStringLiteral("仙侠传说"));
    QSignalSpy loaded(view, &WebView::loadFinished);
    QVERIFY(loaded.wait(15000));
    QSignalSpy routed(m_tabs, &TabWidget::signalRouteRequested);
    // The server links of the list open in a new window.
    WindowChecks::userInput(view);
    view->page()->runJavaScript(QStringLiteral("document.querySelector('a[href*=\"game_play\"]').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(routed.count(), 1, 15000);
    const QUrl url = routed.first().first().toUrl();
    QVERIFY2(url.path().startsWith(QLatin1String("/game_play/1")), qPrintable(url.toString()));
}

void TestGameTabs::closedGameTabReleasesViewPageAndToolbar_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("web game") << "web";
    QTest::newRow("server played") << "play";
    QTest::newRow("h5 game") << "h5";
}

void TestGameTabs::closedGameTabReleasesViewPageAndToolbar()
{
    QFETCH(QString, kind);
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    QPointer<WebView> view = open(kind, QStringLiteral("仙侠传说"));
    QPointer<QWebEnginePage> page = view->page();
    QPointer<QWidget> bar = m_tabs->currentWidget()->findChild<GameToolBar *>();
    QVERIFY(bar);
    m_tabs->closeTab(1);
    QCOMPARE(m_tabs->count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(view.isNull() && page.isNull() && bar.isNull(), 5000);
}

void TestGameTabs::routedLinksOpenTheirKindOfTab_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("path");   // of the new tab's view
    const QString portal = QStringLiteral("http://") + Portal::portalHost();
    QTest::newRow("game host word") << portal + QStringLiteral("/xianxia") << QStringLiteral("webtabHost")
                                    << QStringLiteral("/game.php");
    QTest::newRow("H5 game") << Portal::h5Root() + QStringLiteral("/snake") << QStringLiteral("h5ToolBar")
                             << QStringLiteral("/snake");
    QTest::newRow("diverted by a rule") << portal + QStringLiteral("/pay/recharge.php") << QStringLiteral("webtabOther")
                                        << QStringLiteral("/pay-game.php");
    QTest::newRow("ordinary page") << portal + QStringLiteral("/gift.php") << QStringLiteral("webtabOther")
                                   << QStringLiteral("/gift.php");
}

void TestGameTabs::routedLinksOpenTheirKindOfTab()
{
    QFETCH(QString, link);
    QFETCH(QString, container);
    QFETCH(QString, path);
    QFile::remove(UrlRules::fileName());
    QVERIFY(UrlRules::writeReply(R"({"pay":{"recharge":".*/pay/.*"}})", UrlRules::fileName()));
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    m_tabs->HandlerCreateWebBridge(QUrl(link), QWebEnginePage::NavigationTypeLinkClicked);
    QCOMPARE(m_tabs->count(), 2);
    QCOMPARE(m_tabs->currentWidget()->objectName(), container);
    WebView *view = m_tabs->currentWidget()->findChild<WebView *>();
    QTRY_COMPARE_WITH_TIMEOUT(view->url().path(), path, 15000);
}

void TestGameTabs::gamePlayLinkCarriesThePlayersIdentity()
{
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    const QString link = QStringLiteral("http://") + Portal::portalHost() + QStringLiteral("/game_play/108.html");
    m_tabs->HandlerCreateWebBridge(QUrl(link), QWebEnginePage::NavigationTypeLinkClicked);
    QCOMPARE(m_tabs->count(), 2);
    WebView *view = m_tabs->currentWidget()->findChild<WebView *>(QStringLiteral("hostwebview"));
    QVERIFY(view);
    QTRY_VERIFY_WITH_TIMEOUT(!view->url().isEmpty(), 15000);
    const QUrlQuery query(view->url());
    QCOMPARE(query.queryItemValue(QStringLiteral("server_id")), QStringLiteral("108"));
    QCOMPARE(query.queryItemValue(QStringLiteral("user_name")), QStringLiteral("korvo"));
    QCOMPARE(m_tabs->currentContext().serverId, QStringLiteral("108"));

    // The same link from within that game tab plays in it, for a small account in its profile.
    m_fixture.changeContext([](TabContext &context) {
        Identity alt;
        alt.userId = QStringLiteral("4711");
        alt.userName = QStringLiteral("alt");
        context = context.asSmallAccount(alt);
    });
    m_tabs->HandlerCreateWebBridge(QUrl(link), QWebEnginePage::NavigationTypeLinkClicked);
    QCOMPARE(m_tabs->count(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(QUrlQuery(view->url()).queryItemValue(QStringLiteral("user_name")),
                              QStringLiteral("alt"), 15000);
}

// Two small accounts play side by side: a link in the first one's tab, clicked
// after the second logged in, plays as the first, in the first one's profile.
void TestGameTabs::aTabBringsBackItsOwnPlayer()
{
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    const QUrl address(Portal::portalRoot() + QStringLiteral("/game_play/102.html"));
    QList<QWidget *> tabs;
    for (const QString &name : {QStringLiteral("alt"), QStringLiteral("alt2")}) {
        Identity who;
        who.userId = name == QLatin1String("alt") ? QStringLiteral("4711") : QStringLiteral("4712");
        who.userName = name;
        TabContext context = m_tabs->currentContext().asSmallAccount(who);
        context.host = QStringLiteral("xianxia");
        context.serverId = QStringLiteral("102");
        QVERIFY(m_tabs->createGamePlayTab(address, context));
        tabs << m_tabs->currentWidget();
    }
    m_tabs->setCurrentWidget(tabs.first());
    QCOMPARE(m_tabs->currentContext().profileFlag, QStringLiteral("4711"));
    m_tabs->HandlerCreateWebBridge(QUrl(QStringLiteral("http://") + Portal::portalHost()
                                        + QStringLiteral("/game_play/108.html")),
                                   QWebEnginePage::NavigationTypeLinkClicked);
    WebView *view = tabs.first()->findChild<WebView *>(QStringLiteral("hostwebview"));
    QTRY_COMPARE_WITH_TIMEOUT(QUrlQuery(view->url()).queryItemValue(QStringLiteral("server_id")),
                              QStringLiteral("108"), 15000);
    QCOMPARE(QUrlQuery(view->url()).queryItemValue(QStringLiteral("user_name")), QStringLiteral("alt"));
    QCOMPARE(view->page()->profile(), WebEngineProfile::profileFor(QStringLiteral("4711")));
}

void TestGameTabs::gamesGoFullScreenAndBack_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("server played, notice clicked") << QStringLiteral("play") << false;
    QTest::newRow("server played, Escape") << QStringLiteral("play") << true;
    QTest::newRow("H5 game played, Escape") << QStringLiteral("h5") << true;
}

void TestGameTabs::gamesGoFullScreenAndBack()
{
    QFETCH(QString, kind);
    QFETCH(bool, byEscape);
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    m_tabs->window()->show();
    WebView *view = open(kind);
    if (kind == QLatin1String("h5")) {
        // Playing starts on the game's page; until then the tab may not go full screen.
        m_tabs->HandlerCreateWebBridge(QUrl(Portal::h5Root() + QStringLiteral("/games/snake/1")),
                                       QWebEnginePage::NavigationTypeLinkClicked);
        QVERIFY(m_tabs->currentContext().isH5Play);
    }
    QWidget *frame = view->parentWidget();
    m_tabs->handlerFullscreen();
    QVERIFY(m_tabs->findChild<QMessageBox *>() == nullptr);
    QVERIFY(view->isWindow());
    QCOMPARE(view->geometry(), view->screen()->geometry());
    auto *notice = view->findChild<QPushButton *>();
    QVERIFY(notice);
    QCOMPARE(notice->text(), QStringLiteral("退出全屏"));

    if (byEscape) {
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view));
        // A press alone: its window is gone into the tab before a release could reach it.
        QTest::keyPress(view->window()->windowHandle(), Qt::Key_Escape);
    } else {
        notice->click();
    }
    // A key goes through the page first.
    QTRY_VERIFY(!view->isWindow());
    QCOMPARE(view->parentWidget(), frame);
    QTRY_VERIFY(view->isVisible());
    QTRY_COMPARE(view->geometry().width(), frame->width());
    m_tabs->closeTab(1);
}

QTEST_MAIN(TestGameTabs)
#include "tst_gametabs.moc"
