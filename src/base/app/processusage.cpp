#include "app/processusage.h"

#include <QFile>
#include <QList>

#include <unistd.h>

namespace {
QByteArray readProcFile(qint64 pid, const char *name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    // Both files are small; a cap keeps an odd file from costing anything.
    return file.read(64 * 1024);
}
}

qint64 ProcessUsage::pssKiB(const QByteArray &smapsRollup)
{
    for (const QByteArray &line : smapsRollup.split('\n')) {
        if (!line.startsWith("Pss:"))
            continue;
        const QList<QByteArray> fields = line.mid(4).simplified().split(' ');
        if (fields.size() != 2 || fields.at(1) != "kB")
            return -1;
        bool ok = false;
        const qint64 kib = fields.at(0).toLongLong(&ok);
        return ok && kib >= 0 ? kib : -1;
    }
    return -1;
}

QList<QByteArray> ProcessUsage::statFields(const QByteArray &stat)
{
    const int close = stat.lastIndexOf(')');
    if (close < 0)
        return {};
    return stat.mid(close + 1).simplified().split(' ');
}

qint64 ProcessUsage::cpuTicks(const QByteArray &stat)
{
    // After the name: state is the first field, utime the 12th, stime the 13th.
    const QList<QByteArray> fields = statFields(stat);
    if (fields.size() < 13)
        return -1;
    bool userOk = false;
    bool systemOk = false;
    const qint64 user = fields.at(11).toLongLong(&userOk);
    const qint64 system = fields.at(12).toLongLong(&systemOk);
    if (!userOk || !systemOk || user < 0 || system < 0)
        return -1;
    return user + system;
}

double ProcessUsage::cpuPercent(qint64 ticksBefore, qint64 ticksAfter, qint64 elapsedMs, long ticksPerSecond)
{
    if (ticksBefore < 0 || ticksAfter < ticksBefore || elapsedMs <= 0 || ticksPerSecond <= 0)
        return -1;
    return double(ticksAfter - ticksBefore) * 1000.0 * 100.0 / (double(ticksPerSecond) * double(elapsedMs));
}

long ProcessUsage::ticksPerSecond()
{
    static const long ticks = sysconf(_SC_CLK_TCK);
    return ticks;
}

QString ProcessUsage::memoryText(qint64 kib)
{
    if (kib < 0)
        return QStringLiteral("-");
    return QStringLiteral("%1 MB").arg(double(kib) / 1024.0, 0, 'f', 1);
}

QString ProcessUsage::cpuText(double percent)
{
    if (percent < 0)
        return QStringLiteral("-");
    return QStringLiteral("%1%").arg(percent, 0, 'f', 1);
}

ProcessUsage::Sample ProcessUsage::read(qint64 pid, qint64 atMs)
{
    Sample sample;
    sample.pid = pid;
    sample.atMs = atMs;
    if (pid <= 0)
        return sample;
    sample.pssKiB = pssKiB(readProcFile(pid, "smaps_rollup"));
    sample.cpuTicks = cpuTicks(readProcFile(pid, "stat"));
    return sample;
}
