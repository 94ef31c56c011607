#pragma once

#include <QHash>
#include <QList>
#include <QString>

// What a tab does when its render process ended abnormally: the first crash
// reloads by itself after a pause; another crash of the same address within
// ten minutes, or a third of the tab at any address, waits for the user, so a
// page that keeps crashing does not loop however slowly it crashes.
class CrashRecovery
{
public:
    enum Action { ReloadByItself, WaitForButton };

    static constexpr qint64 kRepeatWindowMs = 10 * 60 * 1000;
    static constexpr int kMaxCrashesPerWindow = 2;
    static constexpr int kReloadDelayMs = 3000;

    // Records a crash of the address at nowMs (a monotonic clock) and says what follows.
    Action crashed(qint64 nowMs, const QString &address = QString());

    // The reason shown to the user, by the engine's termination status
    // (1 abnormal, 2 crashed, 3 killed) and the process's exit code.
    static QString reason(int status, int exitCode);

private:
    void forgetBefore(qint64 oldestMs);

    // Crash times of the window, oldest first, and the address of each.
    QList<QPair<qint64, QString>> m_crashes;
};
