#include "web/serverhosts.h"

#include <QtTest>

// What a server lookup takes from the portal and from pages: a host that
// could name a game page, for a server id, or nothing.
class TestServerHosts final : public QObject
{
    Q_OBJECT

private slots:
    void hostFromReply_data();
    void hostFromReply();
    void learnsOnlyPairsInForm();
};

void TestServerHosts::hostFromReply_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("host");
    QTest::newRow("game of the server") << QByteArray(R"([{"game_id":"2","game_host":"longcheng"}])") << "longcheng";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF" R"([{"game_host":"sanguo"}])") << "sanguo";
    QTest::newRow("unknown server") << QByteArray("query is empty") << "";
    QTest::newRow("empty list") << QByteArray("[]") << "";
    QTest::newRow("object, not a list") << QByteArray(R"({"game_host":"sanguo"})") << "";
    QTest::newRow("host with a path") << QByteArray(R"([{"game_host":"x/../user.php"}])") << "";
    QTest::newRow("host with a query") << QByteArray(R"([{"game_host":"x&server_id=1"}])") << "";
    QTest::newRow("number as host") << QByteArray(R"([{"game_host":7}])") << "7";
    QTest::newRow("repeated key") << QByteArray(R"([{"game_host":"a","game_host":"b"}])") << "";
}

void TestServerHosts::hostFromReply()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, host);
    QCOMPARE(ServerHosts::hostFromReply(body), host);
}

void TestServerHosts::learnsOnlyPairsInForm()
{
    ServerHosts hosts;
    hosts.learn(QStringLiteral("203"), QStringLiteral("longcheng"));
    hosts.learn(QStringLiteral("204"), QStringLiteral("long cheng"));
    hosts.learn(QStringLiteral("20x"), QStringLiteral("longcheng"));
    hosts.learn(QStringLiteral("205"), QString());
    QCOMPARE(hosts.hostOf(QStringLiteral("203")), QStringLiteral("longcheng"));
    QCOMPARE(hosts.hostOf(QStringLiteral("204")), QString());
    QCOMPARE(hosts.hostOf(QStringLiteral("20x")), QString());
    QCOMPARE(hosts.hostOf(QStringLiteral("205")), QString());
    // A later page that names the server's game replaces what was known.
    hosts.learn(QStringLiteral("203"), QStringLiteral("sanguo"));
    QCOMPARE(hosts.hostOf(QStringLiteral("203")), QStringLiteral("sanguo"));
}

QTEST_GUILESS_MAIN(TestServerHosts)
#include "tst_serverhosts.moc"
