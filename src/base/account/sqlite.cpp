#include "account/sqlite.h"

#include "app/apppaths.h"
#include "app/privatefiles.h"
#include "app/storagenotices.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
QAtomicInt accesses;

QString quotedColumn(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// The files SQLite keeps beside the database while it writes.
const char *const kCompanions[] = {"-journal", "-wal", "-shm"};
}

Sqlite::Sqlite(QObject *parent)
    : QObject(parent)
{
    const QString file = AppPaths::dataFilePath(QStringLiteral("vmgamebox.db"));
    if (QSqlDatabase::contains(connectionName())) {
        m_database = QSqlDatabase::database(connectionName(), false);
        // The connection outlives this object; follow the application directory
        // if it has moved since (a new test directory, another KORVO_APP_DIR).
        if (m_database.databaseName() != file) {
            m_database.close();
            m_database.setDatabaseName(file);
        }
    } else {
        m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName());
        m_database.setDatabaseName(file);
    }
    m_database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
}

Sqlite::~Sqlite()
{
    if (m_database.isOpen())
        m_database.close();
}

QString Sqlite::connectionName()
{
    return QStringLiteral("vmgamebox_connection");
}

QString Sqlite::tableName()
{
    return QStringLiteral("box_user");
}

QString Sqlite::createStatement()
{
    return QStringLiteral(
        "create table 'box_user' ('user_id' int  not null default 0 ,"
        "'user_name' char(50) primary key not null default '',"
        "'user_nick' varchar(50) not null default '',"
        "'user_pass' char(32) not null default '',"
        "'user_email' varchar(50) not null default '',"
        "'main_id' int not null default 0 ,"
        "'is_main' int not null default 0,"
        "'list' int not null default 0 ,"
        "'auto_login' int not null default 0,"
        "'remember_me' int not null default 0,"
        "'login_time' int not null default 0)");
}

QStringList Sqlite::columns()
{
    return {QStringLiteral("user_id"), QStringLiteral("user_name"), QStringLiteral("user_nick"),
            QStringLiteral("user_email"), QStringLiteral("user_pass"), QStringLiteral("main_id"),
            QStringLiteral("list"), QStringLiteral("auto_login"), QStringLiteral("remember_me"),
            QStringLiteral("login_time"), QStringLiteral("is_main")};
}

int Sqlite::accessCount()
{
    return accesses.loadAcquire();
}

QString Sqlite::fileName() const
{
    return m_database.databaseName();
}

bool Sqlite::open()
{
    if (m_database.isOpen())
        return true;
    accesses.ref();
    const QString file = fileName();
    PrivateFiles::makeFile(file);
    for (const char *companion : kCompanions)
        PrivateFiles::narrow(file + QLatin1String(companion));
    if (!m_database.open()) {
        emit problemFound(StorageNotices::Unavailable, file);
        return false;
    }
    if (!m_checked) {
        m_checked = true;
        checkFile();
    }
    return m_database.isOpen();
}

// A file that is no database fails the check's statement; a damaged one lists
// what is wrong instead of "ok". A locked one is reported by run().
void Sqlite::checkFile()
{
    bool damaged = false;
    {
        QSqlQuery query(m_database);
        if (!run(query, QStringLiteral("pragma quick_check"), {}) || !query.next())
            return;
        damaged = query.value(0).toString() != QLatin1String("ok");
    }
    if (damaged)
        moveAside();
}

void Sqlite::moveAside()
{
    const QString file = fileName();
    const QString aside = PrivateFiles::asideName(file);
    m_database.close();
    if (!QFile::rename(file, aside)) {
        emit problemFound(StorageNotices::Unavailable, file);
        return;
    }
    for (const char *companion : kCompanions) {
        if (QFile::exists(file + QLatin1String(companion)))
            QFile::rename(file + QLatin1String(companion), aside + QLatin1String(companion));
    }
    qDebug().noquote() << QStringLiteral("Sqlite: damaged file moved to ") + aside;
    PrivateFiles::makeFile(file);
    m_database.open();
    emit problemFound(StorageNotices::Damaged, aside);
}

bool Sqlite::exec(const QString &sql, const QStringList &values)
{
    if (!open())
        return false;
    // Only the statement is logged; the values may hold a password digest.
    qDebug() << "Sqlite::exec" << sql;
    QSqlQuery query(m_database);
    return run(query, sql, values);
}

bool Sqlite::run(QSqlQuery &query, const QString &sql, const QStringList &values)
{
    accesses.ref();
    bool done = query.prepare(sql);
    if (done) {
        // Every column is "not null": an absent text is stored as an empty one.
        for (const QString &value : values)
            query.addBindValue(value.isNull() ? QString(QLatin1String("")) : value);
        done = query.exec();
    }
    m_lastFailure = done ? StorageNotices::None : reportFailure(query);
    return done;
}

int Sqlite::reportFailure(const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    const StorageNotices::Kind kind = StorageNotices::kindOf(error.nativeErrorCode().toInt());
    if (kind == StorageNotices::None)
        return kind;
    qDebug().noquote() << QStringLiteral("Sqlite: ") + error.text();
    if (kind == StorageNotices::Damaged)
        moveAside();
    else
        emit problemFound(kind, fileName());
    return kind;
}

bool Sqlite::tableExists(const QString &name)
{
    if (!open())
        return false;
    QSqlQuery query(m_database);
    if (!run(query, QStringLiteral("select name from sqlite_master where type = 'table' and name = ?"), {name}))
        return false;
    while (query.next()) {
        if (query.value(QStringLiteral("name")).toString() == name)
            return true;
    }
    return false;
}

bool Sqlite::ensureTable()
{
    return tableExists(tableName()) || exec(createStatement());
}

bool Sqlite::hasOnlyKnownColumns(const AccountRow &row) const
{
    const QStringList known = columns();
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        if (!known.contains(it.key()))
            return false;
    }
    return true;
}

bool Sqlite::insert(const AccountRow &row)
{
    if (row.isEmpty() || !hasOnlyKnownColumns(row) || !ensureTable())
        return false;
    QStringList names;
    QStringList marks;
    QStringList values;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        names << quotedColumn(it.key());
        marks << QStringLiteral("?");
        values << it.value();
    }
    return exec(QStringLiteral("insert into box_user(") + names.join(QLatin1Char(',')) + QStringLiteral(") values (")
                    + marks.join(QLatin1Char(',')) + QLatin1Char(')'),
                values);
}

bool Sqlite::update(const AccountRow &row, const QString &userId)
{
    return updateWhere(row, QStringLiteral("user_id"), userId);
}

bool Sqlite::updateWhere(const AccountRow &row, const QString &keyColumn, const QString &key)
{
    if (row.isEmpty() || key.isEmpty() || !hasOnlyKnownColumns(row))
        return false;
    QStringList assignments;
    QStringList values;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        assignments << quotedColumn(it.key()) + QStringLiteral(" = ?");
        values << it.value();
    }
    values << key;
    return exec(QStringLiteral("update box_user set ") + assignments.join(QStringLiteral(", ")) + QStringLiteral(" where ")
                    + keyColumn + QStringLiteral(" = ?"),
                values);
}

QList<AccountRow> Sqlite::select(const QString &columnList, const QString &where, const QString &orderBy,
                                 const QStringList &values, bool *ok)
{
    QList<AccountRow> rows;
    if (ok)
        *ok = false;
    if (!open())
        return rows;
    QString sql = QStringLiteral("select ") + columnList + QStringLiteral(" from ") + tableName();
    if (!where.isEmpty())
        sql += QStringLiteral(" where ") + where;
    if (!orderBy.isEmpty())
        sql += QStringLiteral(" order by ") + orderBy;
    qDebug() << "Sqlite::select" << sql;
    QSqlQuery query(m_database);
    const bool ran = run(query, sql, values);
    if (ok)
        *ok = ran || m_lastFailure == StorageNotices::None;
    if (!ran)
        return rows;
    const QStringList names = columns();
    const QSqlRecord record = query.record();
    while (query.next()) {
        // Every row carries all eleven keys, whatever the column list asked for.
        AccountRow row;
        for (const QString &name : names) {
            const int index = record.indexOf(name);
            row.insert(name, index < 0 ? QString() : query.value(index).toString());
        }
        rows << row;
    }
    return rows;
}

bool Sqlite::deleteByName(const QString &userName)
{
    if (userName.isEmpty())
        return false;
    return exec(QStringLiteral("delete from box_user where user_name = ?"), {userName});
}

QList<AccountRow> Sqlite::rememberedMainAccounts()
{
    return select(QStringLiteral("*"), QStringLiteral("is_main=1 and remember_me=1"), QStringLiteral("login_time desc"));
}

QList<AccountRow> Sqlite::rememberedAccounts(bool *ok)
{
    return select(QStringLiteral("*"), QStringLiteral("remember_me=1 or auto_login=1"), QStringLiteral("login_time desc"),
                  {}, ok);
}

AccountRow Sqlite::accountByName(const QString &userName)
{
    const QList<AccountRow> rows = select(QStringLiteral("*"), QStringLiteral("user_name=?"), QString(), {userName});
    return rows.isEmpty() ? AccountRow() : rows.first();
}

AccountRow Sqlite::accountById(const QString &userId)
{
    const QList<AccountRow> rows = select(QStringLiteral("*"), QStringLiteral("user_id=?"), QString(), {userId});
    return rows.isEmpty() ? AccountRow() : rows.first();
}

QList<AccountRow> Sqlite::smallAccountsOf(const QString &mainId)
{
    return select(QStringLiteral("*"), QStringLiteral("main_id=?"), QString(), {mainId});
}

AccountRow Sqlite::smallAccountOf(const QString &mainId, const QString &userName)
{
    const QList<AccountRow> rows =
        select(QStringLiteral("*"), QStringLiteral("user_name=? and main_id=?"), QString(), {userName, mainId});
    return rows.isEmpty() ? AccountRow() : rows.first();
}

bool Sqlite::saveLogin(const AccountRow &given)
{
    AccountRow row = given;
    const QString name = row.value(QStringLiteral("user_name"));
    bool readable = true;
    const QList<AccountRow> byName = name.isEmpty() ? QList<AccountRow>()
                                                    : select(QStringLiteral("*"), QStringLiteral("user_name=?"),
                                                             QString(), {name}, &readable);
    // A file another program holds would make each further statement wait
    // for it as well: one wait a login, and the account is not kept this time.
    if (!readable)
        return false;
    AccountRow stored = byName.isEmpty() ? AccountRow() : byName.first();
    if (stored.isEmpty()) {
        const QString userId = row.value(QStringLiteral("user_id"));
        stored = userId.isEmpty() || userId == QLatin1String("0") ? AccountRow() : accountById(userId);
        if (stored.isEmpty())
            return insert(row);
    }
    const QString storedMain = stored.value(QStringLiteral("main_id"));
    if (row.value(QStringLiteral("main_id"), QStringLiteral("0")) == QLatin1String("0") && !storedMain.isEmpty()
        && storedMain != QLatin1String("0"))
        row.remove(QStringLiteral("main_id"));
    return updateByName(row, stored.value(QStringLiteral("user_name")));
}

bool Sqlite::updateByName(const AccountRow &row, const QString &userName)
{
    return updateWhere(row, QStringLiteral("user_name"), userName);
}
