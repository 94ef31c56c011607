#include "logcapture.h"
#include "net/portal.h"
#include "standinportal.h"
#include "testsupport.h"
#include "net/tokendelaythread.h"

#include <QJsonObject>
#include <QTest>

namespace {
constexpr int kPeriodMs = 150;
constexpr int kWaitMs = 10000;
}

// The token refresh with a short period against the stand-in portal: the texts
// the portal decrypted from the gateway requests it received.
class TestTokenDelayThread final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void refreshTextFillsEveryMarkerOnce();
    void sendsNothingBeforeTheIdentity();
    void sendsTheTokenOfTheCurrentLogin();
    void logoutStopsTheRefresh();

private:
    void setIdentity(TokenDelayThread *thread, const QString &userId, const QString &token);
    QStringList refreshTexts();

    TestAppDir m_app;
    StandInPortal m_portal{m_app.path()};
    QString m_userId;
    QString m_token;
};

void TestTokenDelayThread::initTestCase()
{
    QVERIFY(m_portal.start());
}

void TestTokenDelayThread::init()
{
    m_portal.control({{QStringLiteral("op"), QStringLiteral("clear_log")}});
    const QJsonObject login = m_portal.control({{QStringLiteral("op"), QStringLiteral("login")}, {QStringLiteral("user_name"), QStringLiteral("korvo")}});
    m_userId = login.value(QStringLiteral("user_id")).toString();
    m_token = login.value(QStringLiteral("user_token")).toString();
    QVERIFY(!m_token.isEmpty());
}

void TestTokenDelayThread::setIdentity(TokenDelayThread *thread, const QString &userId, const QString &token)
{
    // As the main window hands it over at login and logout.
    QMetaObject::invokeMethod(thread, "setIdentity", Qt::QueuedConnection, Q_ARG(QString, userId),
                              Q_ARG(QString, token));
}

QStringList TestTokenDelayThread::refreshTexts()
{
    return m_portal.gatewayTexts().filter(QStringLiteral("sign=user_checkloginstatus"));
}

void TestTokenDelayThread::refreshTextFillsEveryMarkerOnce()
{
    QCOMPARE(TokenDelayThread::refreshText(QStringLiteral("10001"), QStringLiteral("t%1%3")),
             QStringLiteral("datatype=user&sign=user_checkloginstatus&user_id=10001&user_token=t%1%3&key=")
                 + Portal::apiKey());
}

void TestTokenDelayThread::sendsNothingBeforeTheIdentity()
{
    TokenDelayThread thread;
    thread.setPeriod(kPeriodMs);
    thread.start(QThread::InheritPriority);
    // Time passes on purpose: five periods in which the thread has no identity to send.
    QTest::qWait(5 * kPeriodMs);
    QCOMPARE(refreshTexts(), QStringList());
    // The same thread sends once it has one, and every refresh the portal logged carries it.
    setIdentity(&thread, m_userId, m_token);
    QTRY_VERIFY_WITH_TIMEOUT(!refreshTexts().isEmpty(), kWaitMs);
    QCOMPARE(refreshTexts().filter(TokenDelayThread::refreshText(m_userId, m_token)), refreshTexts());
}

void TestTokenDelayThread::sendsTheTokenOfTheCurrentLogin()
{
    LogCapture log;
    TokenDelayThread thread;
    thread.setPeriod(kPeriodMs);
    thread.start(QThread::InheritPriority);
    setIdentity(&thread, m_userId, m_token);

    const QString expected = TokenDelayThread::refreshText(m_userId, m_token);
    QTRY_VERIFY_WITH_TIMEOUT(refreshTexts().size() >= 2, kWaitMs);
    QCOMPARE(refreshTexts().first(), expected);
    QCOMPARE(expected, QStringLiteral("datatype=user&sign=user_checkloginstatus&user_id=%1&user_token=%2&key=%3")
                           .arg(m_userId, m_token, QStringLiteral("KXPL-brimadq7ve5")));
    // The reply is logged once per refresh; the token and the API key never are.
    QTRY_VERIFY_WITH_TIMEOUT(!log.linesContaining(QStringLiteral("handlerCheckToken reply:")).isEmpty(), kWaitMs);
    QCOMPARE(log.linesContaining(m_token), QStringList());
    QCOMPARE(log.linesContaining(Portal::apiKey()), QStringList());
}

void TestTokenDelayThread::logoutStopsTheRefresh()
{
    TokenDelayThread thread;
    thread.setPeriod(kPeriodMs);
    thread.start(QThread::InheritPriority);
    setIdentity(&thread, m_userId, m_token);
    QTRY_VERIFY_WITH_TIMEOUT(!refreshTexts().isEmpty(), kWaitMs);

    setIdentity(&thread, QString(), QString());
    QCoreApplication::sendPostedEvents(&thread, QEvent::MetaCall);
    const int sent = refreshTexts().size();
    // Time passes on purpose: six periods in which a refresh still running would send
    // again. One request may have been on its way at the logout.
    QTest::qWait(6 * kPeriodMs);
    QVERIFY2(refreshTexts().size() <= sent + 1, qPrintable(QString::number(refreshTexts().size() - sent)));
}

QTEST_GUILESS_MAIN(TestTokenDelayThread)
#include "tst_tokendelaythread.moc"
