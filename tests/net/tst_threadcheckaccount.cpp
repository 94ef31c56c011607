#include "logcapture.h"
#include "portalfault.h"
#include "standinportal.h"
#include "testsupport.h"
#include "net/threadcheckaccount.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

namespace {
constexpr int kPeriodMs = 200;
constexpr int kWaitMs = 10000;
const QString kRevokedMessage = QStringLiteral("您的登录已失效,请重新登录");

QStringList distinct(QStringList list)
{
    list.removeDuplicates();
    return list;
}

struct Identity {
    int platUserId = 0;
    int userId = 0;
    QString token;
};
}

// The account check on its own thread, as the main window runs it, against the
// stand-in portal: what the portal was asked and what the main window was told.
class TestThreadCheckAccount final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void validTokenRaisesNothing();
    void revokedTokenReportsOnceAndStops();
    void replyIsReadWithCare_data();
    void replyIsReadWithCare();
    void incompleteParametersStartNothing_data();
    void incompleteParametersStartNothing();
    void newLoginReplacesTheCheck();
    void replyForAReplacedLoginIsIgnored();
    void stopEndsTheCheck();

private:
    Identity login();
    void check(const Identity &identity);
    void stop();
    bool setCheckFault(const QJsonObject &fault);
    // A check of a revoked token whose first answer comes delayMs late.
    Identity checkWithLateRevocation(int delayMs);
    // The tokens of the check requests the portal received, in order.
    QStringList checkedTokens();

    TestAppDir m_app;
    StandInPortal m_portal{m_app.path()};
    QThread *m_thread = nullptr;
    ThreadCheckAccount *m_worker = nullptr;
    QList<QPair<int, QString>> m_errors;
};

void TestThreadCheckAccount::initTestCase()
{
    QVERIFY(m_portal.start());
}

void TestThreadCheckAccount::init()
{
    m_portal.control({{QStringLiteral("op"), QStringLiteral("reset")}});
    m_portal.control({{QStringLiteral("op"), QStringLiteral("clear_log")}});
    m_errors.clear();
    // Wired as the main window wires it.
    m_thread = new QThread(this);
    m_worker = new ThreadCheckAccount;
    m_worker->setPeriod(kPeriodMs);
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &ThreadCheckAccount::signalLoginError, this,
            [this](int code, const QString &msg) { m_errors.append({code, msg}); });
    m_thread->start(QThread::InheritPriority);
}

void TestThreadCheckAccount::cleanup()
{
    m_thread->quit();
    QVERIFY(m_thread->wait(kWaitMs));
    delete m_thread;
    m_thread = nullptr;
    m_worker = nullptr;
}

Identity TestThreadCheckAccount::login()
{
    const QJsonObject reply = m_portal.control({{QStringLiteral("op"), QStringLiteral("login")}, {QStringLiteral("user_name"), QStringLiteral("korvo")}});
    return {reply.value(QStringLiteral("user_id")).toString().toInt() + 1000,
            reply.value(QStringLiteral("user_id")).toString().toInt(),
            reply.value(QStringLiteral("user_token")).toString()};
}

void TestThreadCheckAccount::check(const Identity &identity)
{
    QMetaObject::invokeMethod(m_worker, "onCheckAccount", Qt::QueuedConnection, Q_ARG(int, identity.platUserId),
                              Q_ARG(int, identity.userId), Q_ARG(QString, identity.token));
}

void TestThreadCheckAccount::stop()
{
    QMetaObject::invokeMethod(m_worker, "onStopCheck", Qt::QueuedConnection);
}

bool TestThreadCheckAccount::setCheckFault(const QJsonObject &fault)
{
    return PortalFault::once(m_portal, QStringLiteral("check_user_login_status"), fault);
}

Identity TestThreadCheckAccount::checkWithLateRevocation(int delayMs)
{
    const Identity korvo = login();
    m_portal.control({{QStringLiteral("op"), QStringLiteral("revoke")}, {QStringLiteral("token"), korvo.token}});
    setCheckFault({{QStringLiteral("delay_ms"), QString::number(delayMs)}});
    LogCapture log;
    check(korvo);
    // The first request is out (the worker says so as it sends it); its answer is still on its way.
    if (!QTest::qWaitFor([&log] { return !log.linesContaining(QStringLiteral("check_user_login_status")).isEmpty(); },
                         kWaitMs))
        QTest::qFail("the first check was never sent", __FILE__, __LINE__);
    return korvo;
}

QStringList TestThreadCheckAccount::checkedTokens()
{
    // A log that cannot be read fails the test: an empty list is an empty log.
    QStringList tokens;
    for (const QJsonObject &entry : m_portal.requestLog().value_or(QList<QJsonObject>())) {
        if (entry.value(QStringLiteral("endpoint")).toString() == QLatin1String("check_user_login_status"))
            tokens << entry.value(QStringLiteral("params")).toObject().value(QStringLiteral("token")).toString();
    }
    return tokens;
}

void TestThreadCheckAccount::validTokenRaisesNothing()
{
    LogCapture log;
    const Identity korvo = login();
    check(korvo);
    QTRY_VERIFY_WITH_TIMEOUT(checkedTokens().size() >= 3, kWaitMs);
    QCOMPARE(distinct(checkedTokens()), QStringList{korvo.token});
    QVERIFY(m_errors.isEmpty());
    // The address goes to the debug log, the token does not.
    QVERIFY(!log.linesContaining(QStringLiteral("check_user_login_status")).isEmpty());
    QCOMPARE(log.linesContaining(korvo.token), QStringList());
}

void TestThreadCheckAccount::revokedTokenReportsOnceAndStops()
{
    const Identity korvo = login();
    check(korvo);
    QTRY_VERIFY_WITH_TIMEOUT(!checkedTokens().isEmpty(), kWaitMs);
    m_portal.control({{QStringLiteral("op"), QStringLiteral("revoke")}, {QStringLiteral("token"), korvo.token}});

    QTRY_COMPARE_WITH_TIMEOUT(m_errors.size(), 1, kWaitMs);
    QCOMPARE(m_errors.at(0), qMakePair(401, kRevokedMessage));
    const int asked = checkedTokens().size();
    // Time passes on purpose: four periods in which a running check would ask again.
    QTest::qWait(4 * kPeriodMs);
    QCOMPARE(checkedTokens().size(), asked);
    QCOMPARE(m_errors.size(), 1);
}

void TestThreadCheckAccount::replyIsReadWithCare_data()
{
    QTest::addColumn<QJsonObject>("fault");
    QTest::addColumn<int>("code");   // 0: no signal
    QTest::addColumn<QString>("msg");

    QTest::newRow("code 200") << QJsonObject{{QStringLiteral("word"), QStringLiteral(R"({"code":200,"msg":"ok"})")}} << 0 << QString();
    QTest::newRow("no code") << QJsonObject{{QStringLiteral("word"), QStringLiteral("{}")}} << 0 << QString();
    QTest::newRow("array") << QJsonObject{{QStringLiteral("word"), QStringLiteral("[401]")}} << 0 << QString();
    QTest::newRow("not json") << QJsonObject{{QStringLiteral("word"), QStringLiteral("failed")}} << 0 << QString();
    QTest::newRow("cut json") << QJsonObject{{QStringLiteral("malformed"), QStringLiteral("1")}} << 0 << QString();
    QTest::newRow("server error page") << QJsonObject{{QStringLiteral("status"), QStringLiteral("500")}} << 0 << QString();
    QTest::newRow("connection dropped") << QJsonObject{{QStringLiteral("drop"), QStringLiteral("1")}} << 0 << QString();
    QTest::newRow("code 401 with msg") << QJsonObject{{QStringLiteral("word"), QStringLiteral(R"({"code":401,"msg":"m"})")}} << 401 << QStringLiteral("m");
    QTest::newRow("code as digits") << QJsonObject{{QStringLiteral("word"), QStringLiteral(R"({"code":"402","msg":"m"})")}} << 402 << QStringLiteral("m");
    QTest::newRow("code without msg") << QJsonObject{{QStringLiteral("word"), QStringLiteral(R"({"code":403})")}} << 403 << QString();
    QTest::newRow("msg as number") << QJsonObject{{QStringLiteral("word"), QStringLiteral(R"({"code":401,"msg":5})")}} << 401 << QStringLiteral("5");
    QTest::newRow("byte-order mark") << QJsonObject{{QStringLiteral("word"), QStringLiteral(R"({"code":405,"msg":"m"})")}, {QStringLiteral("bom"), QStringLiteral("1")}} << 405 << QStringLiteral("m");
    // Refused before Qt's parser, which would keep memory for each repeated key.
    QTest::newRow("code 401 among repeated keys") << QJsonObject{{QStringLiteral("word"), QStringLiteral(R"({"dup":{},"dup":[],"code":401,"msg":"m"})")}} << 0 << QString();
    QTest::newRow("gzip bomb") << QJsonObject{{QStringLiteral("gzip_bomb_mib"), QStringLiteral("3072")}} << 0 << QString();
}

void TestThreadCheckAccount::replyIsReadWithCare()
{
    QFETCH(QJsonObject, fault);
    QFETCH(int, code);
    QFETCH(QString, msg);

    QVERIFY(setCheckFault(fault));
    check(login());
    // The faulted first reply, then the portal's own answers for a valid token.
    QTRY_VERIFY_WITH_TIMEOUT(checkedTokens().size() >= (code ? 1 : 3), kWaitMs);
    if (code) {
        QTRY_COMPARE_WITH_TIMEOUT(m_errors.size(), 1, kWaitMs);
        QCOMPARE(m_errors.at(0), qMakePair(code, msg));
    } else {
        QCOMPARE(m_errors.size(), 0);
    }
}

void TestThreadCheckAccount::incompleteParametersStartNothing_data()
{
    QTest::addColumn<int>("platUserId");
    QTest::addColumn<int>("userId");
    QTest::addColumn<QString>("token");
    QTest::newRow("no platform id") << 0 << 10001 << QStringLiteral("abc");
    QTest::newRow("no user id") << 11001 << 0 << QStringLiteral("abc");
    QTest::newRow("empty token") << 11001 << 10001 << QString();
}

void TestThreadCheckAccount::incompleteParametersStartNothing()
{
    QFETCH(int, platUserId);
    QFETCH(int, userId);
    QFETCH(QString, token);

    LogCapture log;
    check({platUserId, userId, token});
    QTRY_VERIFY_WITH_TIMEOUT(!log.linesContaining(QStringLiteral("参数不全")).isEmpty(), kWaitMs);
    // Time passes on purpose: three periods in which a started check would have asked.
    QTest::qWait(3 * kPeriodMs);
    QCOMPARE(checkedTokens(), QStringList());
}

void TestThreadCheckAccount::newLoginReplacesTheCheck()
{
    const Identity first = login();
    const Identity second = login();
    check(first);
    check(second);
    QTRY_VERIFY_WITH_TIMEOUT(checkedTokens().size() >= 4, kWaitMs);
    // One timer: every request is for the latest login, one per period.
    QCOMPARE(distinct(checkedTokens()), QStringList{second.token});
    const int asked = checkedTokens().size();
    // Time passes on purpose: a second timer would double the requests of these five periods.
    QTest::qWait(5 * kPeriodMs);
    QVERIFY2(checkedTokens().size() - asked <= 7, qPrintable(QString::number(checkedTokens().size() - asked)));
}

void TestThreadCheckAccount::replyForAReplacedLoginIsIgnored()
{
    // The first login's token is already revoked and its check answers late...
    const Identity first = checkWithLateRevocation(1000);
    // ...while the user logs in again; the old answer must not log the new login out.
    const Identity second = login();
    check(second);
    QTRY_VERIFY_WITH_TIMEOUT(checkedTokens().count(second.token) >= 2, kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(checkedTokens().count(first.token), 1, kWaitMs);
    // The old answer is written (the portal logs a reply before it sends it); time
    // passes on purpose for it to arrive, where a wrong logout would show.
    QTest::qWait(2 * kPeriodMs);
    QCOMPARE(m_errors.size(), 0);
}

void TestThreadCheckAccount::stopEndsTheCheck()
{
    // The user logs out while the answer for a revoked token is on its way.
    checkWithLateRevocation(800);
    stop();
    QTRY_COMPARE_WITH_TIMEOUT(checkedTokens().size(), 1, kWaitMs);
    // Time passes on purpose: four periods in which a check still running would ask again.
    QTest::qWait(4 * kPeriodMs);
    QCOMPARE(checkedTokens().size(), 1);
    QCOMPARE(m_errors.size(), 0);
}

QTEST_GUILESS_MAIN(TestThreadCheckAccount)
#include "tst_threadcheckaccount.moc"
