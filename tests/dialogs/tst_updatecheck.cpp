#include "net/portal.h"
#include "dialogs/updatecheck.h"

#include <QtTest>

// How the client reads the portal's version announcement and decides
// whether to tell the user.
class TestUpdateCheck final : public QObject
{
    Q_OBJECT

private slots:
    void isNewer_data()
    {
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("newer");
        QTest::newRow("numeric, not text order") << QStringLiteral("1.5.1.10") << QStringLiteral("1.5.1.4") << true;
        QTest::newRow("equal") << QStringLiteral("1.5.1.4") << QStringLiteral("1.5.1.4") << false;
        QTest::newRow("older") << QStringLiteral("1.5.1.3") << QStringLiteral("1.5.1.4") << false;
        QTest::newRow("first part decides") << QStringLiteral("2.0") << QStringLiteral("1.9.9.9") << true;
        QTest::newRow("missing parts are zero") << QStringLiteral("1.5.1") << QStringLiteral("1.5.1.0") << false;
        QTest::newRow("extra part") << QStringLiteral("1.5.1.4.1") << QStringLiteral("1.5.1.4") << true;
        QTest::newRow("leading zeros") << QStringLiteral("1.05.1.4") << QStringLiteral("1.5.1.4") << false;
        QTest::newRow("letters are never newer") << QStringLiteral("9.9.9.9-beta") << QStringLiteral("1.5.1.4") << false;
        QTest::newRow("empty") << QStringLiteral("") << QStringLiteral("1.5.1.4") << false;
        QTest::newRow("trailing dot") << QStringLiteral("9.") << QStringLiteral("1.5.1.4") << false;
        QTest::newRow("sign") << QStringLiteral("+9.0") << QStringLiteral("1.5.1.4") << false;
        QTest::newRow("too many digits") << QStringLiteral("99999999999.0") << QStringLiteral("1.5.1.4") << false;
        QTest::newRow("full-width digits") << QStringLiteral("９.０") << QStringLiteral("1.5.1.4") << false;
    }

    void isNewer()
    {
        QFETCH(QString, candidate);
        QFETCH(QString, current);
        QFETCH(bool, newer);
        QCOMPARE(UpdateCheck::isNewer(candidate, current), newer);
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("latest");
        QTest::addColumn<QString>("download");
        const QString portalFile = Portal::portalRoot() + QStringLiteral("/sy/x.exe");
        QTest::newRow("both") << QByteArray("{\"last_version\":\"1.5.2.0\",\"down_url\":\"" + portalFile.toUtf8() + "\"}") << true
                              << QStringLiteral("1.5.2.0") << portalFile;
        QTest::newRow("other host refused") << QByteArray("{\"last_version\":\"2\",\"down_url\":\"http://evil.test/x.exe\"}")
                                            << true << QStringLiteral("2") << QStringLiteral("");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF{\"last_version\":\"1.6\"}") << true << QStringLiteral("1.6")
                                         << QStringLiteral("");
        QTest::newRow("no version") << QByteArray("{}") << true << QStringLiteral("1.0.0.1") << QStringLiteral("");
        QTest::newRow("number version") << QByteArray("{\"last_version\":2}") << true << QStringLiteral("2") << QStringLiteral("");
        QTest::newRow("other scheme refused") << QByteArray("{\"last_version\":\"2\",\"down_url\":\"file:///etc/passwd\"}")
                                              << true << QStringLiteral("2") << QStringLiteral("");
        QTest::newRow("error word") << QByteArray("error: busy") << false << QStringLiteral("") << QStringLiteral("");
        QTest::newRow("array") << QByteArray("[1]") << false << QStringLiteral("") << QStringLiteral("");
        QTest::newRow("repeated key") << QByteArray("{\"last_version\":\"1\",\"last_version\":\"9\"}") << false << QStringLiteral("")
                                      << QStringLiteral("");
    }

    void read()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, readable);
        QFETCH(QString, latest);
        QFETCH(QString, download);
        const UpdateCheck::Reply reply = UpdateCheck::read(body);
        QCOMPARE(reply.readable, readable);
        QCOMPARE(reply.latest, latest);
        QCOMPARE(reply.downloadUrl, download);
    }

    void shouldAnnounce_data()
    {
        QTest::addColumn<QString>("latest");
        QTest::addColumn<bool>("skipping");
        QTest::addColumn<QString>("skipped");
        QTest::addColumn<bool>("announce");
        QTest::newRow("newer") << QStringLiteral("1.5.2.0") << false << QStringLiteral("") << true;
        QTest::newRow("newer, skipped") << QStringLiteral("1.5.2.0") << true << QStringLiteral("1.5.2.0") << false;
        QTest::newRow("newer than the skipped one") << QStringLiteral("1.5.3.0") << true << QStringLiteral("1.5.2.0") << true;
        QTest::newRow("skip version without the flag") << QStringLiteral("1.5.2.0") << false << QStringLiteral("1.5.2.0") << true;
        QTest::newRow("up to date") << QStringLiteral("1.5.1.4") << false << QStringLiteral("") << false;
        QTest::newRow("1.5.1.10") << QStringLiteral("1.5.1.10") << false << QStringLiteral("") << true;
    }

    void shouldAnnounce()
    {
        QFETCH(QString, latest);
        QFETCH(bool, skipping);
        QFETCH(QString, skipped);
        QFETCH(bool, announce);
        UpdateCheck::Reply reply;
        reply.readable = true;
        reply.latest = latest;
        QCOMPARE(UpdateCheck::shouldAnnounce(reply, skipping, skipped), announce);
    }
};

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
