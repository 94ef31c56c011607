#include "sqlitelock.h"

SqliteLock::SqliteLock(const QString &file)
{
    m_tool.start(QStringLiteral("sqlite3"), {file});
    if (!m_tool.waitForStarted(5000))
        return;
    // The answer comes once the lock is taken.
    m_tool.write("BEGIN EXCLUSIVE;\nselect 'held';\n");
    QByteArray answer;
    while (!answer.contains("held") && m_tool.waitForReadyRead(10000))
        answer += m_tool.readAllStandardOutput();
    m_held = answer.contains("held");
}

SqliteLock::~SqliteLock()
{
    release();
}

void SqliteLock::release()
{
    if (m_tool.state() == QProcess::NotRunning)
        return;
    m_tool.write("ROLLBACK;\n");
    m_tool.closeWriteChannel();
    if (!m_tool.waitForFinished(5000))
        m_tool.kill();
    m_tool.waitForFinished(2000);
    m_held = false;
}
