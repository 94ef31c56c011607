#include "account/rememberedaccounts.h"

namespace {
bool isSet(const AccountRow &row, const char *flag)
{
    return row.value(QLatin1String(flag)) == QLatin1String("1");
}
}

bool RememberedAccounts::load(Sqlite *store)
{
    bool ok = false;
    const QList<AccountRow> rows = store->rememberedAccounts(&ok);
    if (ok)
        m_rows = rows;
    return ok;
}

QList<AccountRow> RememberedAccounts::listed() const
{
    QList<AccountRow> rows;
    for (const AccountRow &row : m_rows) {
        if (isSet(row, "is_main") && isSet(row, "remember_me"))
            rows << row;
    }
    return rows;
}

QStringList RememberedAccounts::listedNames() const
{
    QStringList names;
    for (const AccountRow &row : listed())
        names << row.value(QStringLiteral("user_name"));
    return names;
}

AccountRow RememberedAccounts::byName(const QString &name) const
{
    const QString wanted = name.trimmed();
    for (const AccountRow &row : m_rows) {
        if (row.value(QStringLiteral("user_name")) == wanted)
            return row;
    }
    return AccountRow();
}

QString RememberedAccounts::digestFor(const QString &name) const
{
    const AccountRow row = byName(name);
    return isSet(row, "remember_me") ? row.value(QStringLiteral("user_pass")) : QString();
}

AccountRow RememberedAccounts::autoLoginAccount() const
{
    const QList<AccountRow> rows = listed();
    if (rows.isEmpty())
        return AccountRow();
    const AccountRow &latest = rows.first();
    if (!isSet(latest, "auto_login") || latest.value(QStringLiteral("user_pass")).isEmpty())
        return AccountRow();
    return latest;
}
