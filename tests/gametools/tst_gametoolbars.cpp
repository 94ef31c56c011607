#include "app/apppaths.h"
#include "gametools/gametoolbar.h"
#include "gametools/h5hosttoolbar.h"
#include "gametools/hosttoolbar.h"
#include "net/httprequest.h"
#include "account/loginform.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "portalfault.h"
#include "app/skinstyle.h"
#include "tabfixture.h"
#include "web/tabwidget.h"
#include "web/webview.h"

#include <QApplication>
#include <QFileInfo>
#include <QJsonObject>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>

class TestGameToolBars final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void buttonsAskTheTabManager_data();
    void buttonsAskTheTabManager();
    void muteActsOnTheCurrentGameAndTwiceRestores_data();
    void muteActsOnTheCurrentGameAndTwiceRestores();
    void linkButtonsOpenTheirPage_data();
    void linkButtonsOpenTheirPage();
    void linkButtonsNeedALogin_data();
    void linkButtonsNeedALogin();
    void gameLookups_data();
    void gameLookups();
    void collection_data();
    void collection();
    void defaultSkinDrawsEveryButton_data();
    void defaultSkinDrawsEveryButton();

private:
    GameToolBar *openGame(const QString &kind);
    QPushButton *button(GameToolBar *bar, const QString &name) const;
    QMessageBox *notice(GameToolBar *bar) const;
    QString expandRoot(QString page) const;
    // The share of a widget's pixels in the brand's green, in percent.
    static int greenShare(QWidget *widget);

    TabFixture m_fixture;
    TabWidget *m_tabs = nullptr;
};

void TestGameToolBars::initTestCase()
{
    QVERIFY2(m_fixture.start(), "the stand-in portal did not start");
    m_tabs = m_fixture.tabs();
}

void TestGameToolBars::init()
{
    m_fixture.logOut();
    m_fixture.portal().control({{QStringLiteral("op"), QStringLiteral("reset")}});
    m_fixture.portal().control({{QStringLiteral("op"), QStringLiteral("clear_log")}});
    m_fixture.changeContext([](TabContext &context) { context.profileFlag = TabContext::mainProfileFlag(); });
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
}

void TestGameToolBars::cleanup()
{
    for (QMessageBox *box : m_tabs->findChildren<QMessageBox *>())
        box->close();
    qApp->setStyleSheet(QString());
}

GameToolBar *TestGameToolBars::openGame(const QString &kind)
{
    if (kind == QLatin1String("web")) {
        m_tabs->createHostTab(QStringLiteral("xianxia"), QStringLiteral("仙侠传说"));
        return m_tabs->currentWidget()->findChild<HostToolBar *>();
    }
    m_tabs->createH5HostTab(QStringLiteral("snake"), QStringLiteral("贪吃蛇大作战"));
    return m_tabs->currentWidget()->findChild<H5HostToolBar *>();
}

QPushButton *TestGameToolBars::button(GameToolBar *bar, const QString &name) const
{
    const QString prefix = qobject_cast<HostToolBar *>(bar) ? QStringLiteral("hostBar_") : QString();
    return bar->findChild<QPushButton *>(prefix + name);
}

QMessageBox *TestGameToolBars::notice(GameToolBar *bar) const
{
    const QList<QMessageBox *> boxes = bar->findChildren<QMessageBox *>();
    return boxes.size() == 1 && boxes.first()->isVisible() ? boxes.first() : nullptr;
}

QString TestGameToolBars::expandRoot(QString page) const
{
    return page.replace(QLatin1String("portal:"), Portal::portalRoot()).replace(QLatin1String("h5:"), Portal::h5Root());
}

void TestGameToolBars::buttonsAskTheTabManager_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");      // without the bar's prefix
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QByteArray>("request");   // what the tab manager passes on, if anything
    struct Row { const char *name; const char *signal; const char *request; };
    const Row rows[] = {
        {"SmallAccountBtn", "signalSmallAccount", "signalSmallAccountRequested"},
        {"ScreeshotBtn", "signalScreenhost", "signalScreenshotRequested"},
        {"ClearBtn", "signalCleanCache", "signalCleanCacheRequested"},
        {"RefreshBtn", "signalReload", ""},
        {"FullScreenBtn", "signalFullscreen", ""},
        {"EyeBtn", "signalBossKey", ""},
    };
    for (const char *kind : {"web", "h5"}) {
        for (const Row &row : rows)
            QTest::addRow("%s %s", kind, row.name) << QString::fromLatin1(kind) << QString::fromLatin1(row.name)
                                                   << QByteArray(row.signal) << QByteArray(row.request);
    }
}

void TestGameToolBars::buttonsAskTheTabManager()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QByteArray, signal);
    QFETCH(QByteArray, request);
    GameToolBar *bar = openGame(kind);
    QVERIFY(bar);
    const QList<QByteArray> all = {"signalSmallAccount", "signalFullscreen", "signalReload",
                                   "signalBossKey", "signalCleanCache", "signalScreenhost"};
    QList<QSharedPointer<QSignalSpy>> spies;
    for (const QByteArray &each : all)
        spies << QSharedPointer<QSignalSpy>::create(bar, QByteArray("2" + each + "()").constData());
    QSharedPointer<QSignalSpy> passedOn;
    if (!request.isEmpty())
        passedOn = QSharedPointer<QSignalSpy>::create(m_tabs, QByteArray("2" + request + "()").constData());
    const int tabs = m_tabs->count();
    QTest::mouseClick(button(bar, name), Qt::LeftButton);
    for (int i = 0; i < all.size(); ++i)
        QCOMPARE(spies.at(i)->count(), all.at(i) == signal ? 1 : 0);
    if (passedOn)
        QCOMPARE(passedOn->count(), 1);
    QCOMPARE(m_tabs->count(), tabs);
}

void TestGameToolBars::muteActsOnTheCurrentGameAndTwiceRestores_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("viewName");
    QTest::newRow("web game") << "web" << "hostwebview";
    QTest::newRow("h5 game") << "h5" << "h5HostWebView";
}

void TestGameToolBars::muteActsOnTheCurrentGameAndTwiceRestores()
{
    QFETCH(QString, kind);
    QFETCH(QString, viewName);
    QWidget *first = openGame(kind)->parentWidget();
    GameToolBar *bar = openGame(kind);
    QWebEnginePage *earlier = TabFixture::view(first, viewName)->page();
    QWebEnginePage *current = TabFixture::view(m_tabs->currentWidget(), viewName)->page();
    QVERIFY(earlier != current);
    QPushButton *voice = button(bar, QStringLiteral("VoiceBtn"));
    QCOMPARE(voice->property("isMuted"), QVariant(false));
    const QString style = QStringLiteral("background-image:url(%1)");

    QTest::mouseClick(voice, Qt::LeftButton);
    QVERIFY(current->isAudioMuted());
    QVERIFY(!earlier->isAudioMuted());
    QCOMPARE(voice->property("isMuted"), QVariant(true));
    QCOMPARE(voice->styleSheet(), style.arg(AppPaths::iconPath(QStringLiteral("icon-voice.png"))));

    QTest::mouseClick(voice, Qt::LeftButton);
    QVERIFY(!current->isAudioMuted());
    QCOMPARE(voice->property("isMuted"), QVariant(false));
    QCOMPARE(voice->styleSheet(), style.arg(AppPaths::iconPath(QStringLiteral("icon-voice-open.png"))));
    QVERIFY(QFileInfo::exists(AppPaths::iconPath(QStringLiteral("icon-voice-open.png"))));
}

void TestGameToolBars::linkButtonsOpenTheirPage_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("page");
    QTest::newRow("web shop") << "web" << "ShopBtn" << "portal:/jfsc";
    QTest::newRow("web recharge") << "web" << "MoneyBtn" << "portal:/pay-game.php";
    QTest::newRow("web service") << "web" << "EarBtn" << "portal:/service.php";
    QTest::newRow("h5 recharge") << "h5" << "MoneyBtn" << "portal:/pay-game.php";
    QTest::newRow("h5 service") << "h5" << "EarBtn" << "portal:/service.php";
    QTest::newRow("h5 gift") << "h5" << "GitfBtn" << "h5:/card_list.php";
}

void TestGameToolBars::linkButtonsOpenTheirPage()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, page);
    GameToolBar *bar = openGame(kind);
    const int tabs = m_tabs->count();
    QTest::mouseClick(button(bar, name), Qt::LeftButton);
    // These pages need no lookup: no call is pending and the portal saw none.
    QVERIFY(!bar->findChild<HttpRequest *>());
    QCOMPARE(m_tabs->count(), tabs + 1);
    QCOMPARE(m_tabs->currentWidget()->objectName(), QStringLiteral("webtabOther"));
    WebView *view = TabFixture::view(m_tabs->currentWidget(), QStringLiteral("webotherview"));
    QCOMPARE(view->page()->requestedUrl(), QUrl(expandRoot(page)));
    QSignalSpy loaded(view, &WebView::loadFinished);
    QVERIFY(loaded.wait(15000));
    QCOMPARE(m_fixture.portal().apiCalls(QStringLiteral("game_list")).size(), 0);
}

void TestGameToolBars::linkButtonsNeedALogin_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("web shop") << "web" << "ShopBtn";
    QTest::newRow("web gift, looked up") << "web" << "GitfBtn";
    QTest::newRow("h5 gift") << "h5" << "GitfBtn";
}

void TestGameToolBars::linkButtonsNeedALogin()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    GameToolBar *bar = openGame(kind);
    m_fixture.jar()->clearCookies();
    const int tabs = m_tabs->count();
    QTest::mouseClick(button(bar, name), Qt::LeftButton);
    QVERIFY(m_fixture.loginForm()->isVisible());
    QCOMPARE(m_tabs->count(), tabs);
    QVERIFY(!bar->findChild<HttpRequest *>());
    m_fixture.loginForm()->hide();
}

void TestGameToolBars::gameLookups_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QJsonObject>("fault");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("message");
    const QString trouble = QStringLiteral("网络异常,请稍后重试");
    const auto word = [](const char *text) { return QJsonObject{{QStringLiteral("word"), QString::fromUtf8(text)}}; };
    QTest::newRow("gift") << "GitfBtn" << QJsonObject() << "portal:/game_card.php?id=1" << "";
    QTest::newRow("first pay") << "FirstPayBtn" << QJsonObject()
                               << "portal:/jfsc/firstpay/firstpay.php?from=dodev&game_id=1" << "";
    QTest::newRow("unknown game") << "GitfBtn" << word("query is empty") << "" << "查询失败";
    QTest::newRow("not JSON") << "FirstPayBtn" << word("<html>busy</html>") << "" << trouble;
    QTest::newRow("no game") << "GitfBtn" << word("[]") << "" << "";
    QTest::newRow("connection dropped") << "GitfBtn" << QJsonObject{{QStringLiteral("drop"), QStringLiteral("1")}}
                                        << "" << trouble;
    QTest::newRow("server error") << "FirstPayBtn" << QJsonObject{{QStringLiteral("status"), QStringLiteral("500")}}
                                  << "" << trouble;
}

void TestGameToolBars::gameLookups()
{
    QFETCH(QString, name);
    QFETCH(QJsonObject, fault);
    QFETCH(QString, page);
    QFETCH(QString, message);
    GameToolBar *bar = openGame(QStringLiteral("web"));
    if (!fault.isEmpty())
        QVERIFY(PortalFault::once(m_fixture.portal(), QStringLiteral("game_list"), fault));
    const int tabs = m_tabs->count();
    QTest::mouseClick(button(bar, name), Qt::LeftButton);
    QCOMPARE(bar->property("pointLinkFlag").toString(), QStringLiteral("hostBar_") + name);
    auto *request = bar->findChild<HttpRequest *>();
    QVERIFY(request);
    // Connected after the bar: once a spy has counted, the bar has handled the answer.
    QSignalSpy answered(request, &HttpRequest::signalHttpSuccess);
    QSignalSpy failed(request, &HttpRequest::signalHttpFailed);
    QTRY_COMPARE_WITH_TIMEOUT(answered.count() + failed.count(), 1, 20000);

    const QList<QJsonObject> calls = m_fixture.portal().apiCalls(QStringLiteral("game_list"));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().value(QStringLiteral("game_host")).toString(), QStringLiteral("xianxia"));
    QCOMPARE(m_tabs->count(), page.isEmpty() ? tabs : tabs + 1);
    if (!page.isEmpty()) {
        WebView *view = TabFixture::view(m_tabs->currentWidget(), QStringLiteral("webotherview"));
        QCOMPARE(view->page()->requestedUrl(), QUrl(expandRoot(page)));
    }
    QMessageBox *box = notice(bar);
    QCOMPARE(box ? box->text() : QString(), message);
    QTRY_VERIFY_WITH_TIMEOUT(!bar->findChild<HttpRequest *>(), 5000);
}

void TestGameToolBars::collection_data()
{
    QTest::addColumn<QString>("profileFlag");
    QTest::addColumn<QString>("serverId");
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("message");
    QTest::newRow("new server") << "default" << "102" << false << "10001" << "收藏成功";
    QTest::newRow("collected before") << "default" << "101" << false << "10001" << "游戏已经在收藏夹了";
    QTest::newRow("server of another game") << "default" << "201" << false << "10001" << "区服错误";
    QTest::newRow("small account") << "4711" << "102" << false << "4711" << "收藏失败!请稍后重试";
    QTest::newRow("connection dropped") << "default" << "102" << true << "10001" << "网络异常,请稍后重试";
}

void TestGameToolBars::collection()
{
    QFETCH(QString, profileFlag);
    QFETCH(QString, serverId);
    QFETCH(bool, dropped);
    QFETCH(QString, userId);
    QFETCH(QString, message);
    if (dropped)
        QVERIFY(PortalFault::once(m_fixture.portal(), QStringLiteral("user_collection_add"),
                                  {{QStringLiteral("drop"), QStringLiteral("1")}}));
    m_fixture.changeContext([&](TabContext &context) {
        context.profileFlag = profileFlag;
        context.host = QStringLiteral("xianxia");
        context.serverId = serverId;
    });
    m_tabs->createGamePlayTab(QUrl(Portal::portalRoot() + QStringLiteral("/game_play/") + serverId + QStringLiteral(".html")));
    auto *bar = m_tabs->currentWidget()->findChild<HostToolBar *>();
    QTest::mouseClick(button(bar, QStringLiteral("CollectionBtn")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(notice(bar), 20000);
    QMessageBox *box = notice(bar);
    QCOMPARE(box->text(), message);
    QCOMPARE(box->windowTitle(), QStringLiteral("提示"));
    QVERIFY(box->windowModality() != Qt::NonModal);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->buttons().first()->text(), QStringLiteral("确定"));
    QCOMPARE(box->buttonRole(box->buttons().first()), QMessageBox::ActionRole);

    const QList<QJsonObject> calls = m_fixture.portal().apiCalls(QStringLiteral("user_collection_add"));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().value(QStringLiteral("user_id")).toString(), userId);
    QCOMPARE(calls.first().value(QStringLiteral("game_host")).toString(), QStringLiteral("xianxia"));
    QCOMPARE(calls.first().value(QStringLiteral("server_id")).toString(), serverId);
}

int TestGameToolBars::greenShare(QWidget *widget)
{
    const QImage image = widget->grab().toImage();
    int green = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > c.red() + 40 && c.green() > c.blue() + 40)
                ++green;
        }
    }
    return image.isNull() ? 0 : green * 100 / (image.width() * image.height());
}

void TestGameToolBars::defaultSkinDrawsEveryButton_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("web game") << "web";
    QTest::newRow("h5 game") << "h5";
}

void TestGameToolBars::defaultSkinDrawsEveryButton()
{
    QFETCH(QString, kind);
    qApp->setStyleSheet(SkinStyle::styleSheetFor(QStringLiteral("default")));
    GameToolBar *bar = openGame(kind);
    if (auto *host = qobject_cast<HostToolBar *>(bar))
        host->setCollectionVisible(true);
    const QList<QPushButton *> buttons = bar->findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), kind == QLatin1String("web") ? 13 : 10);
    // Each button shows its picture: a glyph in the brand's green.
    for (QPushButton *each : buttons)
        QVERIFY2(greenShare(each) > 0, qPrintable(each->objectName()));

    // A notice the bar opens keeps the notice look: a green button, not a bare toolbar one.
    if (auto *host = qobject_cast<HostToolBar *>(bar)) {
        host->handlerPointsLinkBtn("query is empty");
        QMessageBox *box = notice(bar);
        QVERIFY(box);
        QVERIFY2(greenShare(box->buttons().first()) > 50, "the notice's button is not drawn as a notice button");
    }
}

QTEST_MAIN(TestGameToolBars)
#include "tst_gametoolbars.moc"
