#include "web/urlrouter.h"

#include <QtTest>

Q_DECLARE_METATYPE(UrlRoute)

namespace {
const QString kPortal = QStringLiteral("http://portal.test:8080");
const QString kH5 = QStringLiteral("http://h5.test:9090");

UrlRoute expect(UrlRoute::Action action, const QString &url = QString(), const QString &name = QString(),
                const QString &serverId = QString())
{
    UrlRoute route;
    route.action = action;
    route.url = url.isEmpty() ? QUrl() : QUrl(url);
    route.name = name;
    route.serverId = serverId;
    return route;
}

QString gamePlay(const QString &sid, const QString &who)
{
    return kPortal + QStringLiteral("/DODev_C/index.php?type=web&action=game_play&server_id=") + sid
        + QStringLiteral("&user_id=%1-id&user_name=%1&user_token=%1-token&user_email=%1@mail").arg(who);
}

char *describe(const UrlRoute &route)
{
    return qstrdup(QStringLiteral("action %1 url %2 name %3 server %4")
                       .arg(route.action)
                       .arg(route.url.toString(), route.name, route.serverId)
                       .toUtf8()
                       .constData());
}
}

namespace QTest {
template <>
char *toString(const UrlRoute &route)
{
    return describe(route);
}
}

// Where each kind of address goes, in the order the tests run.
class TestUrlRouter final : public QObject
{
    Q_OBJECT

private slots:
    void routesEachKindOfAddress_data();
    void routesEachKindOfAddress();
    void hostileRulesNeverMatchOrHang();
    void rulesTogetherMatchAsEachAlone();
};

void TestUrlRouter::routesEachKindOfAddress_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("inGameTab");
    QTest::addColumn<bool>("inHomeTab");
    QTest::addColumn<UrlRoute>("route");
    const UrlRoute pay = expect(UrlRoute::PaymentTab, kPortal + QStringLiteral("/pay-game.php"));
    QTest::newRow("pay rule") << kPortal + QStringLiteral("/pay/recharge.php?from=index") << false << false << pay;
    QTest::newRow("host rule diverts too") << QStringLiteral("http://elsewhere.test/buy") << false << false << pay;
    QTest::newRow("H5 root") << kH5 + QStringLiteral("/") << false << false << expect(UrlRoute::WebTab, kH5);
    QTest::newRow("H5 bare root") << kH5 << false << false << expect(UrlRoute::WebTab, kH5);
    QTest::newRow("H5 game") << kH5 + QStringLiteral("/abc") << false << false
                             << expect(UrlRoute::H5Tab, QString(), QStringLiteral("abc"));
    QTest::newRow("H5 play page") << kH5 + QStringLiteral("/games/abc/12/x") << false << false
                                  << expect(UrlRoute::H5PlayInCurrent, kH5 + QStringLiteral("/games/abc/12/x"));
    // Falls through to the portal tests, which read what follows the portal root's length
    // ("/def" here), whatever the host.
    QTest::newRow("H5 deeper path") << kH5 + QStringLiteral("/abc/def") << false << false
                                    << expect(UrlRoute::HostTab, QString(), QStringLiteral("def"));
    QTest::newRow("download page") << kPortal + QStringLiteral("/sy/download.php?id=3") << false << false
                                   << expect(UrlRoute::SystemBrowser, kPortal + QStringLiteral("/sy/download.php?id=3"));
    QTest::newRow("portal root only") << kPortal << false << false << expect(UrlRoute::Nothing);
    QTest::newRow("mapped game server") << kPortal + QStringLiteral("/game_server.php?id=7") << false << false
                                        << expect(UrlRoute::HostTab, QString(), QStringLiteral("xianxia"));
    QTest::newRow("unmapped game server") << kPortal + QStringLiteral("/game_server.php?id=8") << false << false
                                          << expect(UrlRoute::WebTab, kPortal + QStringLiteral("/game_server.php?id=8"));
    QTest::newRow("game host word") << kPortal + QStringLiteral("/xyz/") << false << false
                                    << expect(UrlRoute::HostTab, QString(), QStringLiteral("xyz"));
    QTest::newRow("news section") << kPortal + QStringLiteral("/news") << false << false
                                  << expect(UrlRoute::WebTab, kPortal + QStringLiteral("/news"));
    QTest::newRow("points section") << kPortal + QStringLiteral("/jfsc/") << false << false
                                    << expect(UrlRoute::WebTab, kPortal + QStringLiteral("/jfsc/"));
    QTest::newRow("game play in a game tab") << kPortal + QStringLiteral("/game_play/12.html") << true << false
                                             << expect(UrlRoute::GamePlayInCurrent, gamePlay(QStringLiteral("12"), QStringLiteral("bob")),
                                                       QString(), QStringLiteral("12"));
    QTest::newRow("game play from home") << kPortal + QStringLiteral("/game_play/12.html") << false << true
                                         << expect(UrlRoute::GamePlayTab, gamePlay(QStringLiteral("12"), QStringLiteral("bob")),
                                                   QString(), QStringLiteral("12"));
    QTest::newRow("another host of the root's length")
        << QStringLiteral("http://others.test:8080/xyz") << false << false
        << expect(UrlRoute::HostTab, QString(), QStringLiteral("xyz"));
    QTest::newRow("partner site") << QStringLiteral("http://b.partner.test/a/b.php?r=b.partner.test") << false << false
                                  << expect(UrlRoute::WebTab, QStringLiteral("http://portal.test:8080/a/b.php?r=portal.test:8080"));
    const QString list = kPortal + QStringLiteral("/DODev_C/index.php?type=web&action=server_list&id=1");
    QTest::newRow("home list in home tab") << list << false << true << expect(UrlRoute::HomeList, list);
    QTest::newRow("home list elsewhere") << list << true << false << expect(UrlRoute::WebTab, list);
    QTest::newRow("ordinary page") << kPortal + QStringLiteral("/gift.php") << false << false
                                   << expect(UrlRoute::WebTab, kPortal + QStringLiteral("/gift.php"));
}

void TestUrlRouter::routesEachKindOfAddress()
{
    QFETCH(QString, url);
    QFETCH(bool, inGameTab);
    QFETCH(bool, inHomeTab);
    QFETCH(UrlRoute, route);
    UrlRouter router;
    router.setHosts(QStringLiteral("portal.test:8080"), QStringLiteral("h5.test:9090"),
                    {QStringLiteral("a.partner.test"), QStringLiteral("b.partner.test"), QString()});
    router.setRules({QStringLiteral(".*/pay/.*"), QString(), QStringLiteral("http://elsewhere\\.test/buy")});
    router.setGameIdHosts({{QStringLiteral("7"), QStringLiteral("xianxia")}});
    RouteContext context;
    context.hasGameView = inGameTab;
    context.hasHomeListView = inHomeTab;
    context.player.userName = QStringLiteral("bob");
    context.player.userId = QStringLiteral("bob-id");
    context.player.userToken = QStringLiteral("bob-token");
    context.player.userEmail = QStringLiteral("bob@mail");
    QCOMPARE(router.route(QUrl(url), context), route);
}

void TestUrlRouter::hostileRulesNeverMatchOrHang()
{
    UrlRouter router;
    router.setHosts(QStringLiteral("portal.test"), QStringLiteral("h5.test"), {});
    QStringList rules = {QStringLiteral("(unclosed"), QStringLiteral("x").repeated(UrlRouter::maxRuleLength + 1),
                         QStringLiteral("(a+)+$")};
    for (int i = 0; i < UrlRouter::maxRules * 2; ++i)
        rules << QStringLiteral("never-%1").arg(i);
    rules << QStringLiteral(".*");   // past the limit: never compiled
    router.setRules(rules);
    QCOMPARE(router.ruleCount(), UrlRouter::maxRules);
    // A pattern that backtracks badly ends with no match instead of holding the thread.
    const QUrl hostile(QStringLiteral("http://portal.test/") + QStringLiteral("a").repeated(64) + QStringLiteral("!"));
    QCOMPARE(router.route(hostile, RouteContext()).action, UrlRoute::WebTab);
}

void TestUrlRouter::rulesTogetherMatchAsEachAlone()
{
    // Patterns whose meaning depends on standing alone: references, quoting to
    // the end, option settings, verbs, names used twice.
    const QStringList rules = {QStringLiteral(R"(http://p\.test/(\w+)/\1)"), QStringLiteral(R"(.*\Q?buy=1)"),
                               QStringLiteral("(?i).*/SHOP/.*"), QStringLiteral("(?x) .*/card # comment"),
                               QStringLiteral("(*COMMIT)http://q.*|.*/vip"), QStringLiteral("(?<n>.*)/gift/(?<m>x)"),
                               QStringLiteral("(?<n>.*)/gift2/"), QStringLiteral(".*/pay/.*"),
                               QStringLiteral(R"(.*\?from=(box|web))"), QStringLiteral(".*/deal|offer"),
                               QStringLiteral(R"(.*/o[;|(]x\;(a|b))")};
    const QStringList links = {
        QStringLiteral("http://p.test/ab/ab"), QStringLiteral("http://p.test/ab/cd"), QStringLiteral("http://p.test/x?buy=1"),
        QStringLiteral("http://p.test/shop/1"), QStringLiteral("http://p.test/card"), QStringLiteral("http://q.test/vip"),
        QStringLiteral("http://p.test/vip"), QStringLiteral("http://p.test/gift/x"), QStringLiteral("http://p.test/gift2/"),
        QStringLiteral("http://p.test/pay/1"), QStringLiteral("http://p.test/a?from=web"), QStringLiteral("http://p.test/"),
        QStringLiteral("http://p.test/offer"), QStringLiteral("http://p.test/o;x;b"), QStringLiteral("http://p.test/o(x;a")};
    UrlRouter router;
    router.setHosts(QStringLiteral("p.test"), QStringLiteral("h5.test"), {});
    router.setRules(rules);
    int diverted = 0;
    for (const QString &link : links) {
        bool alone = false;
        for (const QString &rule : rules) {
            const QRegularExpression one(QRegularExpression::anchoredPattern(rule),
                                         QRegularExpression::UseUnicodePropertiesOption);
            alone = alone || one.match(QUrl(link).toString()).hasMatch();
        }
        const bool together = router.route(QUrl(link), RouteContext()).action == UrlRoute::PaymentTab;
        QVERIFY2(together == alone, qPrintable(link));
        diverted += together;
    }
    QCOMPARE(diverted, 9);
}

QTEST_GUILESS_MAIN(TestUrlRouter)
#include "tst_urlrouter.moc"
