#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class QSqlQuery;

// One stored account: column name to value, every value as text.
using AccountRow = QHash<QString, QString>;

// The accounts that have logged in on this machine, in the table box_user of
// vmgamebox.db. Values never become part of a statement's text: they travel as
// bound values, so a name such as "a'; drop table box_user; --" is just a name.
//
// The file is the user's alone (it holds password digests): made private when
// created, narrowed when it is opened and found wider. Another program
// holding it makes a statement give up after a short wait rather than hold
// the caller; a damaged file is moved aside and a fresh one started. Every
// failure that concerns the file rather than the statement is reported
// (problemFound), so that the user can be told.
class Sqlite : public QObject
{
    Q_OBJECT
public:
    explicit Sqlite(QObject *parent = nullptr);
    ~Sqlite() override;

    static QString connectionName();     // "vmgamebox_connection"
    static QString tableName();          // "box_user"
    static QString createStatement();    // the statement that makes box_user
    static QStringList columns();        // the eleven columns, in the order rows are filled
    // How long a statement waits for another program's lock before it fails.
    // Statements run on the GUI thread: a wait stays well under a frame's worth of stall.
    static constexpr int busyTimeoutMs = 50;
    // How often the stores of this process have opened their file or run a statement.
    static int accessCount();

    QString fileName() const;
    // Opens the file, made private; the first open of this object checks it
    // and moves it aside when it is damaged.
    bool open();
    // Runs one statement; each "?" in it takes the next value.
    bool exec(const QString &sql, const QStringList &values = QStringList());
    bool tableExists(const QString &name);
    bool ensureTable();

    // Writes the given columns; unknown column names make the call fail.
    bool insert(const AccountRow &row);
    bool update(const AccountRow &row, const QString &userId);
    // "select <columns> from box_user [where <where>] [order by <orderBy>]".
    // The where clause names its values with "?", given in order in values:
    //     select("*", "user_name=?", "", {name})
    // ok, when given, is false when the file let the query down (locked,
    // damaged, unreadable); a table not made yet reads as no rows.
    QList<AccountRow> select(const QString &columns, const QString &where, const QString &orderBy,
                             const QStringList &values = QStringList(), bool *ok = nullptr);
    bool deleteByName(const QString &userName);

    // Named questions of the client; callers never write where-clauses.
    // Main accounts marked "remember me", the latest login first.
    QList<AccountRow> rememberedMainAccounts();
    // Every account marked "remember me" or automatic login, the latest login first.
    QList<AccountRow> rememberedAccounts(bool *ok = nullptr);
    // The row of that account, or an empty row.
    AccountRow accountByName(const QString &userName);
    AccountRow accountById(const QString &userId);
    // The small accounts added under a main account, in the store's order.
    QList<AccountRow> smallAccountsOf(const QString &mainId);
    // The small account of that name under that main account, or an empty row.
    AccountRow smallAccountOf(const QString &mainId, const QString &userName);
    // Stores the account of a login. The row of that user name (the table's
    // key) is updated, else the row of that user id, else a new one is made:
    // an account stored by registration (user id "0") gets its real id on its
    // first login, never a second row. Only the given columns are written, and
    // a stored main_id stays: a login never turns a small account into a main
    // account's stranger.
    bool saveLogin(const AccountRow &row);
    bool updateByName(const AccountRow &row, const QString &userName);

signals:
    // kind: a StorageNotices::Kind; detail: the file, or where a damaged one went.
    void problemFound(int kind, const QString &detail);

private:
    bool updateWhere(const AccountRow &row, const QString &keyColumn, const QString &key);
    bool run(QSqlQuery &query, const QString &sql, const QStringList &values);
    // The kind of problem the failed statement had with the file (StorageNotices::Kind).
    int reportFailure(const QSqlQuery &query);
    bool hasOnlyKnownColumns(const AccountRow &row) const;
    void checkFile();
    void moveAside();

    QSqlDatabase m_database;
    bool m_checked = false;
    int m_lastFailure = 0;
};
