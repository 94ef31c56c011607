#pragma once

#include <QString>

// What a tab does when its render process ended abnormally: the first crash
// reloads by itself after a pause; another within a minute of the previous
// one waits for the user, so a page that keeps crashing does not loop.
class CrashRecovery
{
public:
    enum Action { ReloadByItself, WaitForButton };

    static constexpr qint64 kRepeatWindowMs = 60 * 1000;
    static constexpr int kReloadDelayMs = 3000;

    // Records a crash at nowMs (a monotonic clock) and says what follows.
    Action crashed(qint64 nowMs);

    // The reason shown to the user, by the engine's termination status
    // (1 abnormal, 2 crashed, 3 killed) and the process's exit code.
    static QString reason(int status, int exitCode);

private:
    qint64 m_lastCrashMs = -1;
};
