#pragma once

#include "app/processusage.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>

// The memory of this process and every process under it (the engine's), and
// the goal the hostile cases are held against. Header-only: the benchmarks
// share it.
struct ProcessTree
{
    // PSS in MiB.
    static long pssMiB()
    {
        QHash<qint64, qint64> parentOf;
        for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
            if (entry.toLongLong() > 0 && stat.open(QIODevice::ReadOnly)) {
                const QByteArray text = stat.readAll();
                parentOf.insert(entry.toLongLong(), text.mid(text.lastIndexOf(')') + 2).split(' ').value(1).toLongLong());
            }
        }
        qint64 kib = 0;
        for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
            for (qint64 pid = it.key(); pid > 1; pid = parentOf.value(pid)) {
                if (pid == QCoreApplication::applicationPid()) {
                    kib += qMax<qint64>(0, ProcessUsage::read(it.key(), 0).pssKiB);
                    break;
                }
            }
        }
        return long(kib / 1024);
    }

    // Printed, not asserted: the tree under 1 GiB and no GUI stall of 100 ms.
    static const char *bounded(long treeMiB, qint64 stallMs)
    {
        return treeMiB < 1024 && stallMs < 100 ? "bounded" : "NOT bounded";
    }

    // Lets the event loop run for ms.
    static void settle(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
};
