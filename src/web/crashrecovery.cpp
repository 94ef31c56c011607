#include "crashrecovery.h"

CrashRecovery::Action CrashRecovery::crashed(qint64 nowMs)
{
    const bool repeated = m_lastCrashMs >= 0 && nowMs - m_lastCrashMs < kRepeatWindowMs;
    m_lastCrashMs = nowMs;
    return repeated ? WaitForButton : ReloadByItself;
}

QString CrashRecovery::reason(int status, int exitCode)
{
    QString text;
    switch (status) {
    case 2:
        text = QStringLiteral("页面进程崩溃");
        break;
    case 3:
        text = QStringLiteral("页面进程被终止(可能是内存不足)");
        break;
    default:
        text = QStringLiteral("页面进程异常退出");
        break;
    }
    return text + QStringLiteral(",退出码 %1").arg(exitCode);
}
