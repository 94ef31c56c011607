#pragma once

#include <QProcess>
#include <QString>

// The sqlite3 tool holding a database in an exclusive transaction, as another
// program would: nobody else reads or writes the file until release().
class SqliteLock
{
public:
    explicit SqliteLock(const QString &file);
    ~SqliteLock();

    bool isHeld() const { return m_held; }
    void release();

private:
    QProcess m_tool;
    bool m_held = false;
};
