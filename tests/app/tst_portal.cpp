#include "net/portal.h"

#include <QtTest>

class TestPortal final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        qunsetenv("KORVO_PORTAL_HOST");
        qunsetenv("KORVO_H5_HOST");
        qunsetenv("KORVO_PARTNER_HOSTS");
    }

    void cookieDomain_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("domain");
        QTest::newRow("www host") << "www.korvogame.com" << "korvogame.com";
        QTest::newRow("deeper host") << "a.b.korvogame.com" << "b.korvogame.com";
        QTest::newRow("host with port") << "www.korvogame.com:8080" << "korvogame.com";
        QTest::newRow("ip address") << "127.0.0.1" << "127.0.0.1";
        QTest::newRow("ip with port") << "127.0.0.1:41234" << "127.0.0.1";
        QTest::newRow("one label") << "localhost" << "localhost";
        QTest::newRow("one label with port") << "localhost:8080" << "localhost";
        QTest::newRow("registrable domain itself") << "korvogame.com" << "korvogame.com";
        QTest::newRow("ipv6 with port") << "[::1]:8080" << "::1";
    }

    void cookieDomain()
    {
        QFETCH(QString, host);
        QFETCH(QString, domain);
        QCOMPARE(Portal::cookieDomainFor(host), domain);
    }

    void addressesTheClientMayShow_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<bool>("portalHost");
        QTest::newRow("portal page") << "http://127.0.0.1:8080/news" << true << true;
        QTest::newRow("portal name, other port") << "http://127.0.0.1:9/x.exe" << false << true;
        QTest::newRow("H5 page") << "http://127.0.0.1:8081/snake" << true << true;
        QTest::newRow("partner site") << "https://b.partner.test/a" << true << false;
        QTest::newRow("other host") << "http://evil.test/" << false << false;
        QTest::newRow("local file") << "file:///etc/passwd" << false << false;
        QTest::newRow("file through the process") << "file:///proc/self/cwd/vmgamebox.db" << false << false;
        QTest::newRow("page source") << "view-source:http://127.0.0.1:8080/" << false << false;
        QTest::newRow("inline document") << "data:text/html,<script>1</script>" << false << false;
        QTest::newRow("script") << "javascript:alert(1)" << false << false;
        QTest::newRow("no host") << "http:///x" << false << false;
        QTest::newRow("empty") << "" << false << false;
    }

    void addressesTheClientMayShow()
    {
        QFETCH(QString, url);
        QFETCH(bool, allowed);
        QFETCH(bool, portalHost);
        qputenv("KORVO_PORTAL_HOST", "127.0.0.1:8080");
        qputenv("KORVO_H5_HOST", "127.0.0.1:8081");
        qputenv("KORVO_PARTNER_HOSTS", "a.partner.test,b.partner.test");
        QCOMPARE(Portal::isAllowedAddress(QUrl(url)), allowed);
        QCOMPARE(Portal::isOnPortalHost(QUrl(url)), portalHost);
    }

    void ownOriginIsThePortalOrTheH5Host_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("own");
        QTest::newRow("portal page") << "http://127.0.0.1:8080/DODev_C/index.php?type=web" << true;
        QTest::newRow("H5 page") << "http://127.0.0.1:8081/snake" << true;
        QTest::newRow("other port") << "http://127.0.0.1:8082/x" << false;
        QTest::newRow("same port, other name") << "http://localhost:8080/" << false;
        QTest::newRow("portal name inside another host") << "http://127.0.0.1.evil.test:8080/" << false;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("blank") << "about:blank" << false;
        QTest::newRow("empty") << "" << false;
    }

    void ownOriginIsThePortalOrTheH5Host()
    {
        QFETCH(QString, url);
        QFETCH(bool, own);
        qputenv("KORVO_PORTAL_HOST", "127.0.0.1:8080");
        qputenv("KORVO_H5_HOST", "127.0.0.1:8081");
        QCOMPARE(Portal::isOwnOrigin(QUrl(url)), own);
    }

    void hostsComeFromTheEnvironment()
    {
        qputenv("KORVO_PORTAL_HOST", "127.0.0.1:8080");
        qputenv("KORVO_H5_HOST", "127.0.0.1:8081");
        qputenv("KORVO_PARTNER_HOSTS", "a.example, b.example ,c.example");
        QCOMPARE(Portal::portalRoot(), QStringLiteral("http://127.0.0.1:8080"));
        QCOMPARE(Portal::loginGateway(), QStringLiteral("http://127.0.0.1:8080/DODev_C/boxInit.php"));
        QCOMPARE(Portal::webPage(QStringLiteral("left")) + QStringLiteral("&v2"),
                 QStringLiteral("http://127.0.0.1:8080/DODev_C/index.php?type=web&action=left&v2"));
        QCOMPARE(Portal::apiCall(QStringLiteral("game_list")),
                 QStringLiteral("http://127.0.0.1:8080/DODev_C/index.php?type=open&action=game_list"));
        QCOMPARE(Portal::h5Root(), QStringLiteral("http://127.0.0.1:8081"));
        QCOMPARE(Portal::partnerHosts(),
                 (QStringList{QStringLiteral("a.example"), QStringLiteral("b.example"), QStringLiteral("c.example")}));
        QCOMPARE(Portal::cookieDomain(), QStringLiteral("127.0.0.1"));
    }

    void missingPartnerHostsNeverMatchEverything()
    {
        qputenv("KORVO_PARTNER_HOSTS", "only.example,,");
        const QStringList hosts = Portal::partnerHosts();
        QCOMPARE(hosts.size(), 3);
        QCOMPARE(hosts.at(0), QStringLiteral("only.example"));
        QVERIFY(hosts.at(1).isEmpty() && hosts.at(2).isEmpty());
    }

    void accountTextAndGatewayAddress()
    {
        qputenv("KORVO_PORTAL_HOST", "portal.test");
        QCOMPARE(Portal::accountText(QStringLiteral("user_login"), QStringLiteral("user_name=a&user_pass=b")),
                 QStringLiteral("datatype=user&sign=user_login&user_name=a&user_pass=b&key=KXPL-brimadq7ve5"));
        const QUrl url = Portal::accountUrl("ab+/=,cd=");
        QCOMPARE(url.toString(QUrl::FullyEncoded),
                 QStringLiteral("http://portal.test/DODev_C/boxInit.php?appData=ab%2B%2F%3D%2Ccd%3D"));
    }

    void bareWordsAfterByteOrderMark_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("isSuccess");
        QTest::newRow("plain") << QByteArray("success") << true;
        QTest::newRow("bom") << QByteArray("\xEF\xBB\xBFsuccess") << true;
        QTest::newRow("trailing text") << QByteArray("success!") << false;
        QTest::newRow("other word") << QByteArray("already") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }

    void bareWordsAfterByteOrderMark()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, isSuccess);
        QCOMPARE(Portal::isWord(body, "success"), isSuccess);
    }

    void replyObjects_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("isObject");
        QTest::addColumn<bool>("isError");
        QTest::addColumn<QString>("message");
        QTest::newRow("fields") << QByteArray("{\"user_id\":\"7\"}") << true << false << QString();
        QTest::newRow("error with msg") << QByteArray("\xEF\xBB\xBF{\"code\":401,\"msg\":\"登录过期\"}") << true << true
                                        << QStringLiteral("登录过期");
        QTest::newRow("error without msg") << QByteArray("{\"code\":\"500\"}") << true << true << QString();
        QTest::newRow("msg not text") << QByteArray("{\"code\":1,\"msg\":{\"a\":1}}") << true << true << QString();
        QTest::newRow("array") << QByteArray("[1,2]") << false << false << QString();
        QTest::newRow("number") << QByteArray("42") << false << false << QString();
        QTest::newRow("truncated") << QByteArray("{\"user_id\":") << false << false << QString();
        QTest::newRow("html") << QByteArray("<html>502</html>") << false << false << QString();
    }

    void replyObjects()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, isObject);
        QFETCH(bool, isError);
        QFETCH(QString, message);
        QJsonObject object;
        QCOMPARE(Portal::parseObject(body, &object), isObject);
        QString msg;
        QCOMPARE(Portal::isErrorObject(object, &msg), isError);
        QCOMPARE(msg, message);
    }

    void jsonValuesAsText()
    {
        QCOMPARE(Portal::text(QJsonValue(12345)), QStringLiteral("12345"));
        QCOMPARE(Portal::text(QJsonValue(QStringLiteral("12"))), QStringLiteral("12"));
        QCOMPARE(Portal::text(QJsonValue(1.5)), QStringLiteral("1.5"));
        QCOMPARE(Portal::text(QJsonValue(-7)), QStringLiteral("-7"));
        QCOMPARE(Portal::text(QJsonValue(1234567.89)), QStringLiteral("1234567.89"));
        QCOMPARE(Portal::text(QJsonValue(9007199254740992.0)), QStringLiteral("9007199254740992"));
        // Far beyond any integer type: still text, never an undefined conversion.
        QCOMPARE(Portal::text(QJsonDocument::fromJson("[1e300]").array().at(0)), QStringLiteral("1e+300"));
        QCOMPARE(Portal::text(QJsonValue()), QString());
        QCOMPARE(Portal::text(QJsonValue(QJsonArray{1})), QString());
    }
};

QTEST_GUILESS_MAIN(TestPortal)
#include "tst_portal.moc"
