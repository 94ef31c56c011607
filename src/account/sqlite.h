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
// The file is the user's alone (it holds password digests): made private when
// created, narrowed when it is opened and found wider.
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
    QList<AccountRow> select(const QString &columns, const QString &where, const QString &orderBy,
                             const QStringList &values = QStringList());
    bool deleteByName(const QString &userName);

    // Named questions of the client; callers never write where-clauses.
    // Main accounts marked "remember me", the latest login first.
    QList<AccountRow> rememberedMainAccounts();
    // The row of that account, or an empty row.
    AccountRow accountByName(const QString &userName);
    AccountRow accountById(const QString &userId);
    // The small accounts added under a main account, in the store's order.
    QList<AccountRow> smallAccountsOf(const QString &mainId);
    // Updates the row that carries the row's user id, or inserts it when there is none.
    bool saveByUserId(const AccountRow &row);

private:
    static bool run(QSqlQuery &query, const QString &sql, const QStringList &values);
    bool hasOnlyKnownColumns(const AccountRow &row) const;

    QSqlDatabase m_database;
};
