#include "account/sqlite.h"
#include "sqlitelock.h"
#include "app/storagenotices.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

namespace {
AccountRow account(const QString &id, const QString &name, const QString &loginTime)
{
    return {{QStringLiteral("user_id"), id},
            {QStringLiteral("user_name"), name},
            {QStringLiteral("user_nick"), name + QStringLiteral("-nick")},
            {QStringLiteral("user_pass"), QStringLiteral("0123456789abcdef0123456789abcdef")},
            {QStringLiteral("is_main"), QStringLiteral("1")},
            {QStringLiteral("remember_me"), QStringLiteral("1")},
            {QStringLiteral("auto_login"), QStringLiteral("0")},
            {QStringLiteral("login_time"), loginTime}};
}
}

class TestSqlite final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void createsTheTableOnFirstInsertOnly();
    void fillsEveryColumnOfASelectedRow();
    void ordersRememberedAccountsNewestFirst();
    void updatesByUserIdAndRefusesEmptyIds();
    void refusesADuplicateNameAndUnknownColumns();
    void storesHostileNamesLiterally_data();
    void storesHostileNamesLiterally();
    void deletesOnlyTheNamedAccount();
    void listsTheSmallAccountsOfOneMainAccount();
    void savesByUserIdWithoutASecondRow();
    void loginsKeepOneRowPerName_data();
    void loginsKeepOneRowPerName();
    void fileProblemsAreReported_data();
    void fileProblemsAreReported();
    void aLockedFileCostsALoginOneWait();

private:
    void prepareFile(const QString &state);
    QString dbFile() const { return m_dir->filePath(QStringLiteral("vmgamebox.db")); }
    QString tool(const QString &sql) const { return sqliteTool(dbFile(), sql); }

    TestAppDir *m_dir = nullptr;
    Sqlite *m_store = nullptr;
};

void TestSqlite::init()
{
    m_dir = new TestAppDir;
    QVERIFY(m_dir->isValid());
    m_store = new Sqlite;
}

void TestSqlite::cleanup()
{
    delete m_store;
    m_store = nullptr;
    delete m_dir;
    m_dir = nullptr;
}

void TestSqlite::createsTheTableOnFirstInsertOnly()
{
    QVERIFY(m_store->select(QStringLiteral("*"), QString(), QString()).isEmpty());
    QVERIFY(!m_store->tableExists(QStringLiteral("box_user")));

    QVERIFY(m_store->insert(account(QStringLiteral("7"), QStringLiteral("abc"), QStringLiteral("100"))));
    QVERIFY(m_store->tableExists(QStringLiteral("box_user")));

    // sqlite keeps the create statement as written, apart from the leading keywords.
    const QString stored = tool(QStringLiteral("select sql from sqlite_master where name='box_user'"));
    QCOMPARE(stored.mid(12), Sqlite::createStatement().mid(12));
    QCOMPARE(tool(QStringLiteral("select group_concat(name||':'||lower(type)||':'||dflt_value||':'||pk, ' ') "
                                 "from pragma_table_info('box_user')")),
             QStringLiteral("user_id:int:0:0 user_name:char(50):'':1 user_nick:varchar(50):'':0 "
                            "user_pass:char(32):'':0 user_email:varchar(50):'':0 main_id:int:0:0 "
                            "is_main:int:0:0 list:int:0:0 auto_login:int:0:0 remember_me:int:0:0 "
                            "login_time:int:0:0"));
    QCOMPARE(tool(QStringLiteral("select count(*) from box_user")), QStringLiteral("1"));
}

void TestSqlite::fillsEveryColumnOfASelectedRow()
{
    QVERIFY(m_store->insert(account(QStringLiteral("7"), QStringLiteral("abc"), QStringLiteral("1700000000"))));
    const QList<AccountRow> rows = m_store->select(QStringLiteral("*"), QStringLiteral("user_name=?"), QString(),
                                                   {QStringLiteral("abc")});
    QCOMPARE(rows.size(), 1);
    const AccountRow row = rows.first();
    QCOMPARE(row.size(), 11);
    QCOMPARE(row.value(QStringLiteral("user_id")), QStringLiteral("7"));
    QCOMPARE(row.value(QStringLiteral("user_nick")), QStringLiteral("abc-nick"));
    QCOMPARE(row.value(QStringLiteral("user_email")), QString());
    QCOMPARE(row.value(QStringLiteral("main_id")), QStringLiteral("0"));
    QCOMPARE(row.value(QStringLiteral("login_time")), QStringLiteral("1700000000"));
    QCOMPARE(row.value(QStringLiteral("remember_me")), QStringLiteral("1"));
    QCOMPARE(row.value(QStringLiteral("auto_login")), QStringLiteral("0"));

    // A narrower column list still gives all eleven keys.
    const QList<AccountRow> narrow = m_store->select(QStringLiteral("user_name"), QString(), QString());
    QCOMPARE(narrow.size(), 1);
    QCOMPARE(narrow.first().size(), 11);
    QCOMPARE(narrow.first().value(QStringLiteral("user_name")), QStringLiteral("abc"));
    QCOMPARE(narrow.first().value(QStringLiteral("user_id")), QString());
}

void TestSqlite::ordersRememberedAccountsNewestFirst()
{
    QVERIFY(m_store->insert(account(QStringLiteral("1"), QStringLiteral("old"), QStringLiteral("900"))));
    QVERIFY(m_store->insert(account(QStringLiteral("2"), QStringLiteral("new"), QStringLiteral("1000"))));
    AccountRow forgotten = account(QStringLiteral("3"), QStringLiteral("gone"), QStringLiteral("2000"));
    forgotten[QStringLiteral("remember_me")] = QStringLiteral("0");
    QVERIFY(m_store->insert(forgotten));
    AccountRow small = account(QStringLiteral("4"), QStringLiteral("small"), QStringLiteral("3000"));
    small[QStringLiteral("is_main")] = QStringLiteral("0");
    QVERIFY(m_store->insert(small));

    const QList<AccountRow> rows = m_store->rememberedMainAccounts();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).value(QStringLiteral("user_name")), QStringLiteral("new"));
    QCOMPARE(rows.at(1).value(QStringLiteral("user_name")), QStringLiteral("old"));
    // Numbers are stored as numbers, so the order is numeric, not textual.
    QCOMPARE(tool(QStringLiteral("select typeof(login_time) from box_user where user_id=1")), QStringLiteral("integer"));
}

void TestSqlite::updatesByUserIdAndRefusesEmptyIds()
{
    QVERIFY(m_store->insert(account(QStringLiteral("7"), QStringLiteral("abc"), QStringLiteral("100"))));
    const AccountRow change{{QStringLiteral("auto_login"), QStringLiteral("1")},
                            {QStringLiteral("user_nick"), QStringLiteral("新昵称")}};
    QVERIFY(m_store->update(change, QStringLiteral("7")));
    QCOMPARE(tool(QStringLiteral("select auto_login||'|'||user_nick||'|'||remember_me from box_user")),
             QStringLiteral("1|新昵称|1"));

    QVERIFY(!m_store->update(change, QString()));
    QVERIFY(!m_store->update(AccountRow(), QStringLiteral("7")));
    QVERIFY(!m_store->insert(AccountRow()));
}

void TestSqlite::refusesADuplicateNameAndUnknownColumns()
{
    QVERIFY(m_store->insert(account(QStringLiteral("7"), QStringLiteral("abc"), QStringLiteral("100"))));
    QVERIFY(!m_store->insert(account(QStringLiteral("8"), QStringLiteral("abc"), QStringLiteral("200"))));
    QCOMPARE(tool(QStringLiteral("select user_id from box_user")), QStringLiteral("7"));

    // A column name is never taken from a row unchecked.
    AccountRow sneaky = account(QStringLiteral("9"), QStringLiteral("x"), QStringLiteral("1"));
    sneaky.insert(QStringLiteral("user_id\") values (1); drop table box_user; --"), QStringLiteral("1"));
    QVERIFY(!m_store->insert(sneaky));
    QVERIFY(!m_store->update(sneaky, QStringLiteral("7")));
    QCOMPARE(tool(QStringLiteral("select count(*) from box_user")), QStringLiteral("1"));
}

void TestSqlite::storesHostileNamesLiterally_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("single quote") << QStringLiteral("o'brien");
    QTest::newRow("double quote") << QStringLiteral("say\"hi\"");
    QTest::newRow("comment") << QStringLiteral("abc--");
    QTest::newRow("drop table") << QStringLiteral("'; DROP TABLE box_user; --");
    QTest::newRow("always true") << QStringLiteral("x' or '1'='1");
    QTest::newRow("chinese") << QStringLiteral("玩家一号");
}

void TestSqlite::storesHostileNamesLiterally()
{
    QFETCH(QString, name);
    QVERIFY(m_store->insert(account(QStringLiteral("5"), QStringLiteral("plain"), QStringLiteral("1"))));
    QVERIFY(m_store->insert(account(QStringLiteral("6"), name, QStringLiteral("2"))));

    const AccountRow found = m_store->accountByName(name);
    QCOMPARE(found.value(QStringLiteral("user_name")), name);
    QCOMPARE(found.value(QStringLiteral("user_id")), QStringLiteral("6"));

    QVERIFY(m_store->update({{QStringLiteral("user_nick"), name}}, QStringLiteral("6")));
    QCOMPARE(tool(QStringLiteral("select user_nick from box_user where user_id=6")), name);
    QCOMPARE(tool(QStringLiteral("select user_name from box_user where user_id=6")), name);

    QVERIFY(m_store->deleteByName(name));
    QCOMPARE(tool(QStringLiteral("select group_concat(user_name) from box_user")), QStringLiteral("plain"));
    QVERIFY(m_store->tableExists(QStringLiteral("box_user")));
}

void TestSqlite::deletesOnlyTheNamedAccount()
{
    QVERIFY(m_store->insert(account(QStringLiteral("1"), QStringLiteral("keep"), QStringLiteral("1"))));
    QVERIFY(m_store->insert(account(QStringLiteral("2"), QStringLiteral("drop"), QStringLiteral("2"))));
    QVERIFY(!m_store->deleteByName(QString()));
    QVERIFY(m_store->deleteByName(QStringLiteral("drop")));
    QCOMPARE(tool(QStringLiteral("select group_concat(user_name) from box_user")), QStringLiteral("keep"));
}

void TestSqlite::listsTheSmallAccountsOfOneMainAccount()
{
    for (const auto &[id, name, mainId] : {std::make_tuple("11", "alt-a", "7"), std::make_tuple("12", "alt-b", "8"),
                                           std::make_tuple("13", "alt-c", "7")}) {
        AccountRow row = account(QLatin1String(id), QLatin1String(name), QStringLiteral("1"));
        row[QStringLiteral("is_main")] = QStringLiteral("0");
        row[QStringLiteral("main_id")] = QLatin1String(mainId);
        QVERIFY(m_store->insert(row));
    }
    QStringList names;
    for (const AccountRow &row : m_store->smallAccountsOf(QStringLiteral("7")))
        names << row.value(QStringLiteral("user_name"));
    QCOMPARE(names, QStringList({QStringLiteral("alt-a"), QStringLiteral("alt-c")}));
    QVERIFY(m_store->smallAccountsOf(QStringLiteral("7' or '1'='1")).isEmpty());
    QVERIFY(m_store->accountByName(QStringLiteral("nobody")).isEmpty());
}

void TestSqlite::savesByUserIdWithoutASecondRow()
{
    QVERIFY(m_store->saveLogin(account(QStringLiteral("7"), QStringLiteral("abc"), QStringLiteral("100"))));
    AccountRow again = account(QStringLiteral("7"), QStringLiteral("abc"), QStringLiteral("200"));
    again[QStringLiteral("user_nick")] = QStringLiteral("renamed");
    QVERIFY(m_store->saveLogin(again));
    QCOMPARE(tool(QStringLiteral("select count(*)||'|'||user_nick||'|'||login_time from box_user")),
             QStringLiteral("1|renamed|200"));
    QCOMPARE(m_store->accountById(QStringLiteral("7")).value(QStringLiteral("user_name")), QStringLiteral("abc"));
}

// A stored row, then the row a login writes: the table afterwards, as the sqlite3 tool prints it.
void TestSqlite::loginsKeepOneRowPerName_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("after");
    const QString registered = QStringLiteral("insert into box_user values(0,'alt','','d1gest','',7,0,0,1,1,5)");
    // Side bar or manager: the small login's row carries no digest, choice or main_id.
    QTest::newRow("registered small account, small login")
        << registered << "user_id=10009,user_name=alt,user_nick=Alt,user_email=a@x,login_time=9"
        << "10009|alt|Alt|d1gest|a@x|7|0|0|1|1|9";
    // The main login says main_id 0 and is_main 1: the main account the row belongs to stays.
    QTest::newRow("registered small account, main login")
        << registered
        << "user_id=10009,user_name=alt,user_nick=Alt,user_email=a@x,main_id=0,is_main=1,auto_login=0,"
           "remember_me=1,login_time=9"
        << "10009|alt|Alt|d1gest|a@x|7|1|0|0|1|9";
    // Adding an account that logged in here as a main account makes it a small one.
    QTest::newRow("main account added as small")
        << QStringLiteral("insert into box_user values(10009,'alt','Alt','d1gest','',0,1,0,0,1,5)")
        << "user_id=10009,user_name=alt,user_nick=Alt,user_email=,user_pass=n3w,main_id=7,login_time=9"
        << "10009|alt|Alt|n3w||7|1|0|0|1|9";
    QTest::newRow("new account") << QString() << "user_id=10009,user_name=alt,user_nick=Alt,login_time=9"
                                 << "10009|alt|Alt|||0|0|0|0|0|9";
    // A reply without an e-mail: the column is "not null", the text empty.
    QTest::newRow("absent text") << registered << "user_id=10009,user_name=alt,user_email" << "10009|alt||d1gest||7|0|0|1|1|5";
    // The portal's answer names the account by its id under another spelling of the name.
    QTest::newRow("found by id") << QStringLiteral("insert into box_user values(10009,'Alt','','d1gest','',7,0,0,0,0,5)")
                                 << "user_id=10009,user_name=alt,user_nick=N,login_time=9"
                                 << "10009|alt|N|d1gest||7|0|0|0|0|9";
}

void TestSqlite::loginsKeepOneRowPerName()
{
    QFETCH(QString, stored);
    QFETCH(QString, login);
    QFETCH(QString, after);
    QVERIFY(m_store->ensureTable());
    if (!stored.isEmpty())
        QVERIFY(m_store->exec(stored));
    AccountRow row;
    for (const QString &pair : login.split(QLatin1Char(','))) {
        const int eq = pair.indexOf(QLatin1Char('='));
        row.insert(pair.left(eq), eq < 0 ? QString() : pair.mid(eq + 1));
    }
    QVERIFY(m_store->saveLogin(row));
    QCOMPARE(tool(QStringLiteral("select user_id,user_name,user_nick,user_pass,user_email,main_id,is_main,list,"
                                 "auto_login,remember_me,login_time from box_user")),
             after);
}

void TestSqlite::fileProblemsAreReported_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("kind");
    QTest::newRow("not a database") << "text" << int(StorageNotices::Damaged);
    QTest::newRow("cut short") << "cut" << int(StorageNotices::Damaged);
    QTest::newRow("held by another program") << "locked" << int(StorageNotices::Locked);
}

// What another program or a broken disk may have left at the store's place.
void TestSqlite::prepareFile(const QString &state)
{
    QFile file(dbFile());
    if (state == QLatin1String("text")) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("user_name=korvo\n").repeated(200));
        return;
    }
    // Pages enough that the first two are not the whole table.
    tool(QStringLiteral("create table t(a text); with recursive c(x) as (select 1 union all select x+1 from c "
                        "where x<500) insert into t select printf('%0100d', x) from c;"));
    if (state == QLatin1String("cut"))
        QVERIFY(file.resize(8192));
}

// A damaged file is moved aside with the time in its name and a fresh one
// takes the account; a held one is left where it is and works again once it
// is let go. Either way the store says what happened.
void TestSqlite::fileProblemsAreReported()
{
    QFETCH(QString, state);
    QFETCH(int, kind);
    delete m_store;
    prepareFile(state);
    QFile file(dbFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray found = file.readAll();
    file.close();
    std::unique_ptr<SqliteLock> lock;
    if (state == QLatin1String("locked")) {
        lock = std::make_unique<SqliteLock>(dbFile());
        QVERIFY(lock->isHeld());
    }

    m_store = new Sqlite;
    QSignalSpy problems(m_store, &Sqlite::problemFound);
    const bool saved = m_store->insert(account(QStringLiteral("7"), QStringLiteral("abc"), QStringLiteral("1")));
    QVERIFY(!problems.isEmpty());
    for (const QList<QVariant> &problem : problems)
        QCOMPARE(problem.at(0).toInt(), kind);

    const QStringList aside = QDir(m_dir->path()).entryList({QStringLiteral("vmgamebox.db.damaged-*")});
    if (kind == StorageNotices::Locked) {
        QVERIFY(!saved);
        QVERIFY(aside.isEmpty());
        QCOMPARE(problems.first().at(1).toString(), dbFile());
        lock->release();
        QVERIFY(m_store->insert(account(QStringLiteral("7"), QStringLiteral("abc"), QStringLiteral("1"))));
    } else {
        QVERIFY(saved);
        QCOMPARE(aside.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^vmgamebox\\.db\\.damaged-\\d{8}-\\d{6}$")).match(aside.first()).hasMatch(),
                 qPrintable(aside.first()));
        QCOMPARE(problems.first().at(1).toString(), m_dir->filePath(aside.first()));
        QFile moved(m_dir->filePath(aside.first()));
        QVERIFY(moved.open(QIODevice::ReadOnly));
        QCOMPARE(moved.readAll(), found);
    }
    QCOMPARE(tool(QStringLiteral("select user_name from box_user")), QStringLiteral("abc"));
}

// A login saved while another program holds the file waits for it once, not
// once for every statement the save would take.
void TestSqlite::aLockedFileCostsALoginOneWait()
{
    QVERIFY(m_store->insert(account(QStringLiteral("7"), QStringLiteral("abc"), QStringLiteral("1"))));
    SqliteLock lock(dbFile());
    QVERIFY(lock.isHeld());
    const int before = Sqlite::accessCount();
    QVERIFY(!m_store->saveLogin(account(QStringLiteral("8"), QStringLiteral("new"), QStringLiteral("1"))));
    QCOMPARE(Sqlite::accessCount() - before, 1);
    lock.release();
    QVERIFY(m_store->saveLogin(account(QStringLiteral("8"), QStringLiteral("new"), QStringLiteral("1"))));
}

QTEST_GUILESS_MAIN(TestSqlite)
#include "tst_sqlite.moc"
