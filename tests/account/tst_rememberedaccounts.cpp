#include "account/rememberedaccounts.h"
#include "sqlitelock.h"
#include "testsupport.h"

#include <QtTest>

#include <memory>

namespace {
const QString kDigest = QStringLiteral("0123456789abcdef0123456789abcdef");

// "name main remember auto digest time", one account per line; the digest
// is "D" for kDigest or "-" for none.
AccountRow accountFrom(const QString &line, int id)
{
    const QStringList f = line.split(QLatin1Char(' '));
    AccountRow row{{QStringLiteral("user_id"), QString::number(id)},
                   {QStringLiteral("user_name"), f.at(0)},
                   {QStringLiteral("is_main"), f.at(1)},
                   {QStringLiteral("remember_me"), f.at(2)},
                   {QStringLiteral("auto_login"), f.at(3)},
                   {QStringLiteral("login_time"), f.at(5)}};
    if (f.at(4) == QLatin1String("D"))
        row.insert(QStringLiteral("user_pass"), kDigest);
    return row;
}

QStringList texts(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list << QString::fromUtf8(item);
    return list;
}
}

// The remembered accounts as the login dialog sees them, read from a real file.
class TestRememberedAccounts final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<TestAppDir>();
        m_store = std::make_unique<Sqlite>();
    }

    void cleanup()
    {
        m_store.reset();
        m_dir.reset();
    }

    void answersFromWhatWasRead_data()
    {
        QTest::addColumn<QStringList>("accounts");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("autoLogin");   // the name, or "" for none
        QTest::addColumn<QString>("asked");       // the name typed
        QTest::addColumn<QString>("digest");      // what "******" stands for
        QTest::newRow("newest first, forgotten ones left out")
            << texts({"old 1 1 0 D 100", "new 1 1 0 D 200", "gone 1 0 0 D 300"}) << texts({"new", "old"}) << ""
            << "gone" << "";
        QTest::newRow("the newest logs in by itself")
            << texts({"old 1 1 0 D 100", "new 1 1 1 D 200"}) << texts({"new", "old"}) << "new" << " new " << kDigest;
        QTest::newRow("an older automatic one does not")
            << texts({"old 1 1 1 D 100", "new 1 1 0 D 200"}) << texts({"new", "old"}) << "" << "old" << kDigest;
        QTest::newRow("no digest, no automatic login") << texts({"new 1 1 1 - 200"}) << texts({"new"}) << "" << "new"
                                                       << "";
        QTest::newRow("a small account is found but not listed")
            << texts({"main 1 1 0 D 100", "small 0 1 0 D 200"}) << texts({"main"}) << "" << "small" << kDigest;
        QTest::newRow("unknown name") << texts({"main 1 1 0 D 100"}) << texts({"main"}) << "" << "nobody" << "";
    }

    void answersFromWhatWasRead()
    {
        QFETCH(QStringList, accounts);
        QFETCH(QStringList, listed);
        QFETCH(QString, autoLogin);
        QFETCH(QString, asked);
        QFETCH(QString, digest);
        for (int i = 0; i < accounts.size(); ++i)
            QVERIFY(m_store->insert(accountFrom(accounts.at(i), i + 1)));
        RememberedAccounts remembered;
        QVERIFY(remembered.load(m_store.get()));
        QCOMPARE(remembered.listedNames(), listed);
        QCOMPARE(remembered.autoLoginAccount().value(QStringLiteral("user_name")), autoLogin);
        QCOMPARE(remembered.digestFor(asked), digest);
    }

    // A file without the table yet holds no accounts; a file that another
    // program holds leaves what was read before.
    void keepsWhatItHasWhenTheFileCannotBeRead()
    {
        RememberedAccounts remembered;
        QVERIFY(remembered.load(m_store.get()));
        QVERIFY(remembered.listedNames().isEmpty());

        QVERIFY(m_store->insert(accountFrom(QStringLiteral("korvo 1 1 0 - 100"), 1)));
        QVERIFY(remembered.load(m_store.get()));
        SqliteLock lock(m_store->fileName());
        QVERIFY(lock.isHeld());
        QVERIFY(!remembered.load(m_store.get()));
        QCOMPARE(remembered.listedNames(), QStringList{QStringLiteral("korvo")});
    }

private:
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<Sqlite> m_store;
};

QTEST_GUILESS_MAIN(TestRememberedAccounts)
#include "tst_rememberedaccounts.moc"
