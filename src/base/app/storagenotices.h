#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

// What went wrong with the file that remembers the accounts, in the words the
// user reads. Each kind of problem is told once per run: the store reports
// every failed statement, the window shows what is pending.
class StorageNotices : public QObject
{
    Q_OBJECT
public:
    enum Kind {
        None,         // nothing about the file: a refused row, a missing table
        Damaged,      // not a database, or a damaged one; detail: where it was moved
        Locked,       // another program holds the file
        ReadOnly,     // the file cannot be written
        Unavailable,  // the file cannot be opened, read or written at all
        SettingsDamaged,  // the ini file could not be read; detail: where it was moved
    };
    Q_ENUM(Kind)

    explicit StorageNotices(QObject *parent = nullptr);

    // The kind of an SQLite result code (primary or extended).
    static Kind kindOf(int sqliteCode);
    // The notice for a kind; detail names the file.
    static QString text(Kind kind, const QString &detail);

    // The notices not shown yet, and forgets them.
    QStringList takePending();
    bool hasPending() const { return !m_pending.isEmpty(); }

public slots:
    void report(int kind, const QString &detail);

signals:
    // A notice is waiting to be shown.
    void noticePending();

private:
    QSet<int> m_told;
    QStringList m_pending;
};
