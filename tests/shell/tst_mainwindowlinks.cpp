#include "pagescript.h"
#include "web/external.h"
#include "account/loginform.h"
#include "net/portal.h"
#include "standinportal.h"
#include "web/tabwidget.h"
#include "testmainframe.h"
#include "testsupport.h"
#include "web/urlrules.h"
#include "shell/userphotocontrol.h"
#include "web/webengineprofile.h"
#include "web/webview.h"
#include "windowchecks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QUrlQuery>
#include <QWebEngineCookieStore>
#include <QtTest>

// The main window as a player drives it: links a portal page opens in a new
// window, and every call of the page bridge, each ending where it should.
class TestMainWindowLinks final : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the system's browser.
    void openedBySystem(const QUrl &url) { m_systemOpened << url; }

private:
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<StandInPortal> m_portal;
    std::unique_ptr<TestMainFrame> m_frame;
    QList<QUrl> m_systemOpened;

    TabWidget *tabs() const { return m_frame->tabWidget(); }
    QPushButton *loginButton() const { return m_frame->findChild<QPushButton *>(QStringLiteral("loginBtn")); }
    WebView *currentView() const { return tabs()->currentWidget()->findChild<WebView *>(); }
    static QString portal(const QString &path) { return Portal::portalRoot() + path; }

    // A click on a link that wants a window of its own, as the page sees it.
    void openFromPage(WebView *view, const QString &link)
    {
        WindowChecks::userInput(view);
        view->page()->runJavaScript(QStringLiteral("window.open(%1)").arg(QStringLiteral("'%1'").arg(link)));
    }

    // Whether the view's portal document has finished loading. The blank
    // document a view holds before its first load commits counts as not loaded.
    static bool complete(WebView *view)
    {
        const QString probe = QStringLiteral("location.protocol === 'http:' && document.readyState === 'complete'");
        const std::optional<QVariant> answer = pageScriptAnswer(view->page(), probe, 5000);
        return answer && answer->toBool();
    }

    WebView *homeView() const
    {
        return tabs()->widget(0)->findChild<WebView *>(QStringLiteral("homePageWebView"));
    }

    void logIn()
    {
        LoginForm *form = m_frame->loginForm();
        form->findChild<QComboBox *>(QStringLiteral("login_AccountTxt"))->setEditText(QStringLiteral("korvo"));
        form->findChild<QLineEdit *>(QStringLiteral("login_PasswordTxt"))->setText(QStringLiteral("korvo123"));
        form->findChild<QPushButton *>(QStringLiteral("login_LoginBtn"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(loginButton()->text(), QStringLiteral("科沃玩家"), 10000);
    }

private slots:
    void initTestCase()
    {
        m_dir = std::make_unique<TestAppDir>();
        m_portal = std::make_unique<StandInPortal>(m_dir->path());
        QVERIFY(m_portal->start());
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openedBySystem");
        m_frame = std::make_unique<TestMainFrame>();
        m_frame->show();
        logIn();
        // The rules and the game-id map each arrive once after the start.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(UrlRules::fileName()), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(!m_frame->services().gameIdHostMap.isEmpty(), 15000);
        QVERIFY(QTest::qWaitFor([this] { return complete(homeView()); }, 15000));
    }

    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        m_frame.reset();
        WebEngineProfile::profileFor(QStringLiteral("default"))->cookieStore()->deleteAllCookies();
    }

    void init()
    {
        tabs()->closeTabsButHome();
        tabs()->setCurrentIndex(0);
        tabs()->handlerTabarClicked(0);
        m_systemOpened.clear();
    }

    void linksOpenTheirKindOfTab_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("container");  // empty: no tab
        QTest::addColumn<QString>("path");       // of the new tab's page
        QTest::addColumn<QString>("query");      // items the new tab's address carries
        QTest::newRow("web game") << portal(QStringLiteral("/xyz/")) << QStringLiteral("webtabHost")
                                  << QStringLiteral("/game.php") << QStringLiteral("client=pcclient&host=xyz");
        QTest::newRow("H5 game") << Portal::h5Root() + QStringLiteral("/abc") << QStringLiteral("h5ToolBar")
                                 << QStringLiteral("/abc") << QString();
        QTest::newRow("server played as the main account")
            << portal(QStringLiteral("/game_play/12.html")) << QStringLiteral("webtabHost")
            << QStringLiteral("/DODev_C/index.php") << QStringLiteral("server_id=12&user_name=korvo&user_id=10001");
        QTest::newRow("news") << portal(QStringLiteral("/news")) << QStringLiteral("webtabOther")
                              << QStringLiteral("/news") << QString();
        QTest::newRow("diverted by a downloaded rule")
            << portal(QStringLiteral("/pay/recharge.php?game=xianxia")) << QStringLiteral("webtabOther")
            << QStringLiteral("/pay-game.php") << QString();
        QTest::newRow("game by id from the map") << portal(QStringLiteral("/game_server.php?id=2"))
                                                 << QStringLiteral("webtabHost") << QStringLiteral("/game.php")
                                                 << QStringLiteral("host=longcheng");
        QTest::newRow("download page") << portal(QStringLiteral("/sy/download.php?appid=1031")) << QString()
                                       << QString() << QString();
    }

    void linksOpenTheirKindOfTab()
    {
        QFETCH(QString, link);
        QFETCH(QString, container);
        QFETCH(QString, path);
        QFETCH(QString, query);
        openFromPage(homeView(), link);
        if (container.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(m_systemOpened.size(), 1, 10000);
            QCOMPARE(m_systemOpened.first().toString(), link);
            QCOMPARE(tabs()->count(), 1);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(tabs()->count(), 2, 10000);
        QCOMPARE(tabs()->currentWidget()->objectName(), container);
        WebView *view = currentView();
        QTRY_COMPARE_WITH_TIMEOUT(view->url().path(), path, 15000);
        const QUrlQuery got(view->url());
        for (const auto &item : QUrlQuery(query).queryItems())
            QCOMPARE(got.queryItemValue(item.first), item.second);
        QVERIFY(m_systemOpened.isEmpty());
    }

    void serverLinkInAGameTabPlaysInThatTab()
    {
        openFromPage(homeView(), portal(QStringLiteral("/xianxia/")));
        QTRY_COMPARE_WITH_TIMEOUT(tabs()->count(), 2, 10000);
        WebView *game = currentView();
        QTRY_COMPARE_WITH_TIMEOUT(game->url().path(), QStringLiteral("/game.php"), 15000);
        QVERIFY(QTest::qWaitFor([game] { return complete(game); }, 15000));
        openFromPage(game, portal(QStringLiteral("/game_play/101.html")));
        QTRY_COMPARE_WITH_TIMEOUT(QUrlQuery(game->url()).queryItemValue(QStringLiteral("server_id")),
                                  QStringLiteral("101"), 15000);
        QCOMPARE(tabs()->count(), 2);
        QCOMPARE(QUrlQuery(game->url()).queryItemValue(QStringLiteral("user_name")), QStringLiteral("korvo"));
    }

    void everyBridgeCallReachesItsReceiver()
    {
        QSignalSpy skins(tabs(), &TabWidget::signalSkinRequested);
        // The probe calls at load, as the page of a click would.
        WindowChecks::userInput(tabs());
        WebView *probe = tabs()->createWebTab(QUrl(portal(QStringLiteral(
            "/static/bridge_probe.html?calls=OpenGame,OpenUrl,OpenJFSC,Sign,GetHttpData,PaySubmit"))));
        QTRY_COMPARE_WITH_TIMEOUT(probe->title(), QStringLiteral("probe:called"), 15000);
        // The web game, the H5 game, the news page and the points mall, each in a tab.
        QTRY_COMPARE_WITH_TIMEOUT(tabs()->count(), 6, 10000);
        QStringList opened;
        for (int i = 2; i < tabs()->count(); ++i)
            opened << tabs()->widget(i)->objectName();
        QCOMPARE(opened, QStringList({QStringLiteral("webtabHost"), QStringLiteral("h5ToolBar"),
                                      QStringLiteral("webtabOther"), QStringLiteral("webtabOther")}));
        QTRY_COMPARE_WITH_TIMEOUT(skins.count(), 1, 5000);
        QCOMPARE(skins.first().at(1).toString(), QStringLiteral("blue"));
        // An app is for the phone: only its download page, in the system's browser.
        QCOMPARE(m_systemOpened.size(), 1);
        QCOMPARE(QUrlQuery(m_systemOpened.first()).queryItemValue(QStringLiteral("appid")), QStringLiteral("xyz"));
        QVERIFY(!m_frame->loginForm()->isVisible());

        tabs()->setCurrentWidget(probe->parentWidget());
        probe->load(QUrl(portal(QStringLiteral("/static/bridge_probe.html?calls=SwitchUser"))));
        QTRY_VERIFY_WITH_TIMEOUT(m_frame->loginForm()->isVisible(), 15000);
        m_frame->loginForm()->hide();

        probe->load(QUrl(portal(QStringLiteral("/static/bridge_probe.html?calls=LoginOut"))));
        QTRY_COMPARE_WITH_TIMEOUT(loginButton()->text(), QStringLiteral("请登录"), 15000);
        QCOMPARE(tabs()->count(), 1);
    }

    void loggedOutLinksAskForALogin_data() { linksOpenTheirKindOfTab_data(); }

    void loggedOutLinksAskForALogin()
    {
        QFETCH(QString, link);
        QVERIFY(!m_frame->loginForm()->isVisible());
        openFromPage(homeView(), link);
        QTRY_VERIFY_WITH_TIMEOUT(m_frame->loginForm()->isVisible(), 10000);
        m_frame->loginForm()->hide();
        QCOMPARE(tabs()->count(), 1);
        QVERIFY(m_systemOpened.isEmpty());
    }
};

QTEST_MAIN(TestMainWindowLinks)
#include "tst_mainwindowlinks.moc"
