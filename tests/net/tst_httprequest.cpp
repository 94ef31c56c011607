#include "net/guardednetwork.h"
#include "net/httprequest.h"
#include "portalfault.h"
#include "net/portal.h"
#include "standinportal.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QThread>
#include <QTest>

#include <atomic>

// Requests against the stand-in portal, whose fault controls make it answer
// late, with an error status, an empty body or not at all.
class TestHttpRequest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void replyReachesTheRightSignal_data();
    void replyReachesTheRightSignal();
    void twoGetsGiveTwoSuccesses();
    void refusedConnectionFails();
    void silentPortalFailsWithinTheTimeout();
    void hostileReplyFailsInTimeAndTheNextWorks_data();
    void hostileReplyFailsInTimeAndTheNextWorks();
    void onlyTheNewestAttemptIsAnswered();
    void requestsDroppedMidReplyLeaveNoTimerBehind();

private:
    TestAppDir m_app;
    StandInPortal m_portal{m_app.path()};
};

namespace {
// This process's established connections to the port, as the system lists them.
int connectionsTo(const QString &hostAndPort)
{
    const QString port = hostAndPort.section(QLatin1Char(':'), -1);
    QProcess ss;
    ss.start(QStringLiteral("ss"), {QStringLiteral("-Htnp"), QStringLiteral("state"), QStringLiteral("established"),
                                    QStringLiteral("( dport = :%1 )").arg(port)});
    if (!ss.waitForFinished(5000))
        return -1;
    const QString mine = QStringLiteral("pid=%1,").arg(QCoreApplication::applicationPid());
    return QString::fromUtf8(ss.readAllStandardOutput()).count(mine);
}
}

void TestHttpRequest::initTestCase()
{
    QVERIFY(m_portal.start());
}

void TestHttpRequest::init()
{
    m_portal.control({{QStringLiteral("op"), QStringLiteral("clear")}});
}

void TestHttpRequest::replyReachesTheRightSignal_data()
{
    QTest::addColumn<QJsonObject>("fault");
    QTest::addColumn<bool>("success");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("empty body") << QJsonObject{{QStringLiteral("word"), QStringLiteral("")}} << true << QByteArray("");
    QTest::newRow("bare word") << QJsonObject{{QStringLiteral("word"), QStringLiteral("failed")}} << true << QByteArray("failed");
    QTest::newRow("byte-order mark kept") << QJsonObject{{QStringLiteral("word"), QStringLiteral("success")}, {QStringLiteral("bom"), QStringLiteral("1")}} << true
                                          << QByteArray("\xEF\xBB\xBFsuccess");
    QTest::newRow("status 500") << QJsonObject{{QStringLiteral("status"), QStringLiteral("500")}} << false << QByteArray();
    QTest::newRow("status 404") << QJsonObject{{QStringLiteral("status"), QStringLiteral("404")}} << false << QByteArray();
    QTest::newRow("connection dropped") << QJsonObject{{QStringLiteral("drop"), QStringLiteral("1")}} << false << QByteArray();
}

void TestHttpRequest::replyReachesTheRightSignal()
{
    QFETCH(QJsonObject, fault);
    QFETCH(bool, success);
    QFETCH(QByteArray, body);

    QVERIFY(PortalFault::once(m_portal, QStringLiteral("check_update"), fault));
    HttpRequest request;
    QSignalSpy succeeded(&request, &HttpRequest::signalHttpSuccess);
    QSignalSpy failed(&request, &HttpRequest::signalHttpFailed);
    request.get(QUrl(Portal::apiCall(QStringLiteral("check_update"))));

    QTRY_COMPARE_WITH_TIMEOUT(succeeded.count() + failed.count(), 1, 10000);
    QCOMPARE(succeeded.count(), success ? 1 : 0);
    if (success) {
        QCOMPARE(succeeded.at(0).at(0).toByteArray(), body);
    } else {
        QVERIFY(!failed.at(0).at(0).toString().isEmpty());
    }
    // Exactly one signal per request: time passes on purpose for a second one to show.
    QTest::qWait(100);
    QCOMPARE(succeeded.count() + failed.count(), 1);
}

void TestHttpRequest::twoGetsGiveTwoSuccesses()
{
    HttpRequest request;
    QSignalSpy succeeded(&request, &HttpRequest::signalHttpSuccess);
    QSignalSpy failed(&request, &HttpRequest::signalHttpFailed);
    request.get(QUrl(Portal::apiCall(QStringLiteral("check_update"))));
    request.get(QUrl(Portal::apiCall(QStringLiteral("game_id_host_map"))));

    QTRY_COMPARE_WITH_TIMEOUT(succeeded.count(), 2, 10000);
    QCOMPARE(failed.count(), 0);
    QStringList keys;
    for (const QList<QVariant> &emission : succeeded) {
        const QJsonObject object = QJsonDocument::fromJson(emission.at(0).toByteArray()).object();
        keys << (object.contains(QStringLiteral("last_version")) ? QStringLiteral("update") : QStringLiteral("map"));
    }
    keys.sort();
    QCOMPARE(keys, QStringList({QStringLiteral("map"), QStringLiteral("update")}));
}

void TestHttpRequest::refusedConnectionFails()
{
    // A port that was free a moment ago and has no listener now.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();

    HttpRequest request;
    QSignalSpy succeeded(&request, &HttpRequest::signalHttpSuccess);
    QSignalSpy failed(&request, &HttpRequest::signalHttpFailed);
    request.get(QUrl(QStringLiteral("http://127.0.0.1:%1/DODev_C/index.php").arg(port)));

    QVERIFY(failed.wait(10000));
    QCOMPARE(succeeded.count(), 0);
}

void TestHttpRequest::silentPortalFailsWithinTheTimeout()
{
    QVERIFY(PortalFault::once(m_portal, QStringLiteral("check_update"), {{QStringLiteral("delay_ms"), QStringLiteral("20000")}}));
    HttpRequest request;
    request.setTimeout(700);
    QCOMPARE(request.timeout(), 700);
    QSignalSpy succeeded(&request, &HttpRequest::signalHttpSuccess);
    QSignalSpy failed(&request, &HttpRequest::signalHttpFailed);
    QElapsedTimer clock;
    clock.start();
    request.get(QUrl(Portal::apiCall(QStringLiteral("check_update"))));

    QVERIFY(failed.wait(10000));
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(succeeded.count(), 0);
    QCOMPARE(HttpRequest(nullptr).timeout(), HttpRequest::defaultTimeoutMs);
}

void TestHttpRequest::hostileReplyFailsInTimeAndTheNextWorks_data()
{
    QTest::addColumn<QJsonObject>("fault");
    auto fault = [](const char *key, const char *value) { return QJsonObject{{QLatin1String(key), QLatin1String(value)}}; };
    QTest::newRow("gzip bomb") << fault("gzip_bomb_mib", "3072");
    QTest::newRow("endless headers") << fault("endless_headers", "1");
    QTest::newRow("drip") << fault("drip_ms", "300");
    QTest::newRow("large reply") << QJsonObject{{QStringLiteral("large_bytes"), QStringLiteral("6000000")},
                                                {QStringLiteral("large_field"), QStringLiteral("last_version")}};
}

void TestHttpRequest::hostileReplyFailsInTimeAndTheNextWorks()
{
    QFETCH(QJsonObject, fault);
    constexpr int deadlineMs = 1500;
    QVERIFY(PortalFault::once(m_portal, QStringLiteral("check_update"), fault));
    HttpRequest request;
    request.setDeadline(deadlineMs);
    QCOMPARE(request.deadline(), deadlineMs);
    QSignalSpy succeeded(&request, &HttpRequest::signalHttpSuccess);
    QSignalSpy failed(&request, &HttpRequest::signalHttpFailed);
    const QUrl address(Portal::apiCall(QStringLiteral("check_update")));
    QElapsedTimer clock;
    clock.start();
    request.get(address);

    QVERIFY(failed.wait(10000));
    QVERIFY2(clock.elapsed() < deadlineMs + 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(succeeded.count(), 0);
    // The failure says what went wrong, never where: the address may carry sealed data.
    const QString text = failed.at(0).at(0).toString();
    QVERIFY(!text.isEmpty());
    QVERIFY2(!text.contains(QStringLiteral("check_update")) && !text.contains(m_portal.portalHost()), qPrintable(text));
    // Nothing of it goes on being read: a connection stuck on endless header
    // lines holds them all in memory and keeps a core busy.
    QTRY_COMPARE_WITH_TIMEOUT(connectionsTo(m_portal.portalHost()), 0, 5000);

    // The portal behaves again: the same request object reaches it.
    request.get(address);
    QVERIFY(succeeded.wait(5000));
    QVERIFY(succeeded.at(0).at(0).toByteArray().contains("last_version"));
    QCOMPARE(failed.count(), 1);
}

void TestHttpRequest::onlyTheNewestAttemptIsAnswered()
{
    QVERIFY(PortalFault::once(m_portal, QStringLiteral("check_update"), {{QStringLiteral("delay_ms"), QStringLiteral("600")}}));
    HttpRequest request;
    request.setOneAttempt(true);
    QSignalSpy succeeded(&request, &HttpRequest::signalHttpSuccess);
    QSignalSpy failed(&request, &HttpRequest::signalHttpFailed);
    request.get(QUrl(Portal::apiCall(QStringLiteral("check_update"))));
    request.get(QUrl(Portal::apiCall(QStringLiteral("game_id_host_map"))));
    QVERIFY(succeeded.wait(5000));
    // Time passes on purpose, past the first attempt's delay: its late answer must not be reported.
    QTest::qWait(1000);
    QCOMPARE(succeeded.count(), 1);
    QVERIFY(!succeeded.at(0).at(0).toByteArray().contains("last_version"));

    // Cancelled requests end without a word.
    request.get(QUrl(Portal::apiCall(QStringLiteral("check_update"))));
    request.cancel();
    // Time passes on purpose: a cancelled request that still answered would show here.
    QTest::qWait(500);
    QCOMPARE(succeeded.count(), 1);
    QCOMPARE(failed.count(), 0);
}

// Requests dropped while their replies are still arriving take their timers
// with them: a timer left behind fires at a deleted reply and ends the process.
void TestHttpRequest::requestsDroppedMidReplyLeaveNoTimerBehind()
{
    constexpr int rounds = 20;
    constexpr int idleMs = 200;
    QVERIFY(m_portal.control({{QStringLiteral("op"), QStringLiteral("fault")},
                              {QStringLiteral("endpoint"), QStringLiteral("check_update")},
                              {QStringLiteral("drip_ms"), QStringLiteral("10")},
                              {QStringLiteral("times"), QString::number(rounds)}})
                .value(QStringLiteral("ok"))
                .toBool());
    const QUrl address(Portal::apiCall(QStringLiteral("check_update")));
    for (int i = 0; i < rounds; ++i) {
        // Half of them made in a worker thread that ends under them, as the client's workers do at exit.
        const bool inWorker = i % 2;
        QThread worker;
        QObject home;
        if (inWorker)
            home.moveToThread(&worker);
        worker.start();
        GuardedNetwork *network = nullptr;
        std::atomic<bool> arriving{false};
        QMetaObject::invokeMethod(
            &home,
            [&] {
                network = new GuardedNetwork;
                connect(&worker, &QThread::finished, network, &QObject::deleteLater);
                QNetworkReply *reply = network->get(address, {1024 * 1024, 10000, idleMs});
                connect(reply, &QNetworkReply::downloadProgress, reply, [&arriving] { arriving = true; },
                        Qt::DirectConnection);
            },
            inWorker ? Qt::BlockingQueuedConnection : Qt::DirectConnection);
        QTRY_VERIFY_WITH_TIMEOUT(arriving, 5000);
        if (!inWorker)
            delete network;
        worker.quit();
        QVERIFY(worker.wait(10000));
    }
    // Time passes on purpose: a timer left behind fires within its interval.
    QTest::qWait(5 * idleMs);
}

QTEST_GUILESS_MAIN(TestHttpRequest)
#include "tst_httprequest.moc"
