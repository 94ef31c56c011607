#include "shell/gameopener.h"
#include "gametools/hosttoolbar.h"
#include "net/httprequest.h"
#include "account/loginform.h"
#include "net/portal.h"
#include "web/serverhosts.h"
#include "tabfixture.h"
#include "web/tabwidget.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

// A server being played knows its game, however its tab was opened: the
// toolbar's portal calls name the game's host, never an empty one.
class TestGamePlayContext final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyWayInKnowsTheGame_data();
    void everyWayInKnowsTheGame();
    void anUnknownGameIsToldNotSent();

private:
    void openWay(const QString &way, const QString &serverId);
    void routeFromCurrentTab(const QString &serverId);
    // Clicks the bar's button and waits for the portal call it makes.
    QJsonObject callOf(QWidget *tab, const QString &button, const QString &action);
    QMessageBox *notice() const;

    TabFixture m_fixture;
    TabWidget *m_tabs = nullptr;
};

void TestGamePlayContext::initTestCase()
{
    QVERIFY2(m_fixture.start(), "the stand-in portal did not start");
    m_tabs = m_fixture.tabs();
    // One login for all: a logout's late removals in the cookie store could take the next login's cookies.
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
}

void TestGamePlayContext::init()
{
    m_tabs->closeTabsButHome();
    m_fixture.portal().control({{QStringLiteral("op"), QStringLiteral("clear_log")}});
    m_tabs->setCurrentIndex(0);
}

void TestGamePlayContext::cleanup()
{
    for (QMessageBox *box : m_tabs->findChildren<QMessageBox *>())
        box->close();
}

void TestGamePlayContext::routeFromCurrentTab(const QString &serverId)
{
    emit m_tabs->signalRouteRequested(QUrl(Portal::portalRoot() + QStringLiteral("/game_play/%1.html").arg(serverId)));
}

void TestGamePlayContext::openWay(const QString &way, const QString &serverId)
{
    GameTab game;
    game.kind = QStringLiteral("play");
    game.serverId = serverId;
    game.account = QStringLiteral("korvo");
    game.mainAccount = true;
    if (way == QLatin1String("home page")) {
        routeFromCurrentTab(serverId);
    } else if (way == QLatin1String("game page")) {
        QVERIFY(m_tabs->createHostTab(QStringLiteral("xianxia")));
        routeFromCurrentTab(serverId);
    } else if (way == QLatin1String("behind an H5 game")) {
        QVERIFY(m_tabs->createH5HostTab(QStringLiteral("snake")));
        routeFromCurrentTab(serverId);
    } else if (way == QLatin1String("shortcut address")) {
        // A shortcut to a server may name no host.
        GameOpener(m_tabs, nullptr).open({game});
    } else if (way == QLatin1String("restored session")) {
        game.host = QStringLiteral("haidao");
        GameOpener(m_tabs, nullptr).open({game});
    }
}

QJsonObject TestGamePlayContext::callOf(QWidget *tab, const QString &button, const QString &action)
{
    // A found game opens its page in a tab of its own: the player comes back.
    m_tabs->setCurrentWidget(tab);
    const int before = m_fixture.portal().apiCalls(action).size();
    QTest::mouseClick(tab->findChild<QPushButton *>(button), Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return m_fixture.portal().apiCalls(action).size() > before; }, 20000))
        return {};
    return m_fixture.portal().apiCalls(action).last();
}

QMessageBox *TestGamePlayContext::notice() const
{
    for (QMessageBox *box : m_tabs->findChildren<QMessageBox *>()) {
        if (box->isVisible())
            return box;
    }
    return nullptr;
}

void TestGamePlayContext::everyWayInKnowsTheGame_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("serverId");
    QTest::addColumn<QString>("host");
    QTest::newRow("home page") << "home page" << "203" << "longcheng";
    QTest::newRow("game page") << "game page" << "104" << "xianxia";
    QTest::newRow("behind an H5 game") << "behind an H5 game" << "302" << "sanguo";
    QTest::newRow("shortcut address") << "shortcut address" << "203" << "longcheng";
    QTest::newRow("restored session") << "restored session" << "401" << "haidao";
}

void TestGamePlayContext::everyWayInKnowsTheGame()
{
    QFETCH(QString, way);
    QFETCH(QString, serverId);
    QFETCH(QString, host);
    const int tabs = m_tabs->count();
    openWay(way, serverId);
    QTRY_COMPARE_WITH_TIMEOUT(m_tabs->currentWidget()->property("serverId").toString(), serverId, 15000);
    QVERIFY(m_tabs->count() > tabs);
    QWidget *tab = m_tabs->currentWidget();
    QTRY_COMPARE_WITH_TIMEOUT(tab->property("host").toString(), host, 15000);

    for (const QString &button : {QStringLiteral("hostBar_GitfBtn"), QStringLiteral("hostBar_FirstPayBtn")}) {
        const QJsonObject lookup = callOf(tab, button, QStringLiteral("game_list"));
        QCOMPARE(lookup.value(QStringLiteral("game_host")).toString(), host);
    }
    const QJsonObject collected = callOf(tab, QStringLiteral("hostBar_CollectionBtn"), QStringLiteral("user_collection_add"));
    QCOMPARE(collected.value(QStringLiteral("game_host")).toString(), host);
    QCOMPARE(collected.value(QStringLiteral("server_id")).toString(), serverId);
}

void TestGamePlayContext::anUnknownGameIsToldNotSent()
{
    // The portal knows no game of this server: the buttons say so and send nothing.
    routeFromCurrentTab(QStringLiteral("999"));
    QTRY_COMPARE_WITH_TIMEOUT(m_tabs->currentWidget()->property("serverId").toString(), QStringLiteral("999"), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!m_tabs->serverHosts()->isLookingUp(QStringLiteral("999")), 15000);
    for (const QString &button : {QStringLiteral("hostBar_GitfBtn"), QStringLiteral("hostBar_CollectionBtn")}) {
        QTest::mouseClick(m_tabs->currentWidget()->findChild<QPushButton *>(button), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(notice(), 5000);
        QVERIFY2(notice()->text().contains(QStringLiteral("游戏")), qPrintable(notice()->text()));
        notice()->close();
    }
    QCOMPARE(m_fixture.portal().apiCalls(QStringLiteral("user_collection_add")).size(), 0);
    for (const QJsonObject &call : m_fixture.portal().apiCalls(QStringLiteral("game_list")))
        QVERIFY(!call.value(QStringLiteral("game_host")).toString().isEmpty() || call.contains(QStringLiteral("server_id")));
}

QTEST_MAIN(TestGamePlayContext)
#include "tst_gameplaycontext.moc"
