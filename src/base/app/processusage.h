#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What a process costs, read from /proc: its proportional set size and the
// processor time it has used. The parsing is kept apart from the reading so
// that sample texts can be checked; read() touches the file system and
// belongs off the GUI thread.
class ProcessUsage
{
public:
    struct Sample {
        qint64 pid = 0;
        qint64 pssKiB = -1;     // -1: unknown (gone, not ours, unreadable)
        qint64 cpuTicks = -1;   // user plus system time in clock ticks; -1: unknown
        qint64 atMs = 0;        // when it was read, on the caller's clock
    };

    // "Pss:" of /proc/PID/smaps_rollup in KiB; -1 when missing or malformed.
    static qint64 pssKiB(const QByteArray &smapsRollup);
    // The fields of /proc/PID/stat after the command name, the state first;
    // empty when there is no name. The name between parentheses may itself
    // hold spaces and parentheses.
    static QList<QByteArray> statFields(const QByteArray &stat);
    // utime + stime of /proc/PID/stat; -1 when malformed.
    static qint64 cpuTicks(const QByteArray &stat);
    // The share of one processor used between two samples, in percent; -1
    // when the samples cannot be compared.
    static double cpuPercent(qint64 ticksBefore, qint64 ticksAfter, qint64 elapsedMs, long ticksPerSecond);
    static long ticksPerSecond();
    // "85.3 MB"; "-" when unknown.
    static QString memoryText(qint64 kib);
    static QString cpuText(double percent);

    // Blocking: reads both files of pid.
    static Sample read(qint64 pid, qint64 atMs);
};
