#include "web/crashrecovery.h"

#include <QUrl>

namespace {
// The same page whatever its query or fragment: a page that adds a fresh
// parameter at each load is still the same page.
QString pageOf(const QString &address)
{
    return QUrl(address).adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment).toString();
}
}

CrashRecovery::Action CrashRecovery::crashed(qint64 nowMs, const QString &address)
{
    forgetBefore(nowMs - kRepeatWindowMs);
    const QString page = pageOf(address);
    bool sameAddress = false;
    for (const auto &crash : qAsConst(m_crashes))
        sameAddress = sameAddress || crash.second == page;
    const bool tooMany = m_crashes.size() >= kMaxCrashesPerWindow;
    m_crashes.append({nowMs, page});
    return sameAddress || tooMany ? WaitForButton : ReloadByItself;
}

void CrashRecovery::forgetBefore(qint64 oldestMs)
{
    while (!m_crashes.isEmpty() && m_crashes.first().first <= oldestMs)
        m_crashes.removeFirst();
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
