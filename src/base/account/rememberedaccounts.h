#pragma once

#include "account/sqlite.h"

#include <QList>
#include <QString>
#include <QStringList>

// The accounts marked "remember me" (or automatic login), read from the store
// once and then answered from memory: the login dialog looks a name up on
// every keystroke and must never wait for the file, which another program
// may hold.
class RememberedAccounts
{
public:
    // Replaces what is in memory with what the store holds; when the store
    // cannot be read, what is in memory stays. True when it was read.
    bool load(Sqlite *store);

    // The main accounts that the account list offers, the latest login first.
    QStringList listedNames() const;
    // The remembered row of that name (surrounding spaces ignored), or an empty row.
    AccountRow byName(const QString &name) const;
    // The digest that "******" stands for; empty unless the account is remembered.
    QString digestFor(const QString &name) const;
    // The account that logs in by itself at start: the latest listed one, when it
    // is marked for it and has a digest; otherwise an empty row.
    AccountRow autoLoginAccount() const;

private:
    QList<AccountRow> listed() const;

    QList<AccountRow> m_rows;
};
