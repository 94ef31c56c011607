#include "account/allaccountsrun.h"
#include "account/loginservice.h"
#include "account/sqlite.h"
#include "standinportal.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The small accounts of a main account logged in one after another against
// the stand-in portal, with the store in a temporary directory.
class TestAllAccountsRun final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void eachAccountOnceWithTheGatewaysReason();
    void cancelledRunSendsNothingMore();

private:
    void storeSmallAccount(const QString &id, const QString &name, const QByteArray &password, const QString &mainId);
    // How many gateway logins named the account.
    int loginsOf(const QString &name);
    bool runToEnd(AllAccountsRun *run, const QStringList &names);

    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<StandInPortal> m_portal;
    std::unique_ptr<Sqlite> m_store;
};

void TestAllAccountsRun::initTestCase()
{
    m_dir = std::make_unique<TestAppDir>();
    m_portal = std::make_unique<StandInPortal>(m_dir->path());
    QVERIFY(m_portal->start());
    m_store = std::make_unique<Sqlite>();
    storeSmallAccount(QStringLiteral("10003"), QStringLiteral("korvo_xh1"), "xiaohao123", QStringLiteral("10001"));
    // A real account stored with a digest the gateway refuses.
    storeSmallAccount(QStringLiteral("10002"), QStringLiteral("mingyue"), "wrong", QStringLiteral("10001"));
    storeSmallAccount(QStringLiteral("10004"), QStringLiteral("lite"), "lite1234", QStringLiteral("10002"));
}

void TestAllAccountsRun::cleanupTestCase()
{
    m_store.reset();
    m_portal.reset();
}

void TestAllAccountsRun::storeSmallAccount(const QString &id, const QString &name, const QByteArray &password,
                                           const QString &mainId)
{
    const QString digest = QString::fromLatin1(QCryptographicHash::hash(password, QCryptographicHash::Md5).toHex());
    QVERIFY(m_store->insert({{QStringLiteral("user_id"), id},
                             {QStringLiteral("user_name"), name},
                             {QStringLiteral("user_pass"), digest},
                             {QStringLiteral("is_main"), QStringLiteral("0")},
                             {QStringLiteral("main_id"), mainId}}));
}

int TestAllAccountsRun::loginsOf(const QString &name)
{
    const QString needle = QStringLiteral("sign=user_login&user_name=") + name + QLatin1Char('&');
    return m_portal->gatewayTexts().filter(needle).size();
}

bool TestAllAccountsRun::runToEnd(AllAccountsRun *run, const QStringList &names)
{
    QSignalSpy finished(run, &AllAccountsRun::signalFinished);
    return run->start(names) && (finished.count() == 1 || finished.wait(20000)) && finished.count() == 1;
}

void TestAllAccountsRun::eachAccountOnceWithTheGatewaysReason()
{
    const QStringList names = AllAccountsRun::smallAccountNames(m_store.get(), QStringLiteral("10001"));
    QCOMPARE(names, QStringList({QStringLiteral("korvo_xh1"), QStringLiteral("mingyue")}));

    LoginService login(LoginService::SmallAccount, m_store.get());
    AllAccountsRun run(&login);
    QSignalSpy done(&run, &AllAccountsRun::signalAccountDone);
    // An account removed from the store meanwhile fails at once, and the run goes on.
    QVERIFY(runToEnd(&run, names + QStringList{QStringLiteral("gone")}));
    QCOMPARE(done.count(), 3);
    const QList<AllAccountsRun::Outcome> &outcomes = run.outcomes();
    QCOMPARE(outcomes.size(), 3);
    QVERIFY(outcomes.at(0).loggedIn());
    QCOMPARE(outcomes.at(0).who.userId, QStringLiteral("10003"));
    QCOMPARE(outcomes.at(1).problem, QStringLiteral("密码错误!"));
    QCOMPARE(outcomes.at(2).problem, QStringLiteral("小号已不在本机,请重新添加该账号"));
    QCOMPARE(run.failedLines().first(), QStringLiteral("mingyue：密码错误!"));
    // Once each, the refused one too.
    QCOMPARE(loginsOf(QStringLiteral("korvo_xh1")), 1);
    QCOMPARE(loginsOf(QStringLiteral("mingyue")), 1);
    QVERIFY(!run.isRunning());
}

void TestAllAccountsRun::cancelledRunSendsNothingMore()
{
    LoginService login(LoginService::SmallAccount, m_store.get());
    AllAccountsRun run(&login);
    const int before = loginsOf(QStringLiteral("mingyue"));
    // Cancelled as the first account is done: the second is never asked for.
    connect(&run, &AllAccountsRun::signalAccountDone, &run, &AllAccountsRun::cancel);
    QSignalSpy finished(&run, &AllAccountsRun::signalFinished);
    QSignalSpy done(&run, &AllAccountsRun::signalAccountDone);
    QVERIFY(run.start({QStringLiteral("korvo_xh1"), QStringLiteral("mingyue")}));
    QVERIFY(done.wait(20000));
    QVERIFY(!run.isRunning());
    disconnect(&run, &AllAccountsRun::signalAccountDone, &run, &AllAccountsRun::cancel);

    // Cancelled with the login out: a new run right after hears only its own account.
    QVERIFY(run.start({QStringLiteral("korvo_xh1")}));
    run.cancel();
    QVERIFY(runToEnd(&run, {QStringLiteral("lite")}));
    QCOMPARE(run.outcomes().size(), 1);
    QCOMPARE(run.outcomes().first().userName, QStringLiteral("lite"));
    QCOMPARE(run.outcomes().first().who.userName, QStringLiteral("lite"));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(loginsOf(QStringLiteral("mingyue")), before);
}

QTEST_GUILESS_MAIN(TestAllAccountsRun)
#include "tst_allaccountsrun.moc"
