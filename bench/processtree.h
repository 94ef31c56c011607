#pragma once

#include "app/processfamily.h"
#include "app/processusage.h"

#include <QCoreApplication>
#include <QElapsedTimer>

// The memory of this process and every process under it (the engine's), and
// the goal the hostile cases are held against. Header-only: the benchmarks
// share it.
struct ProcessTree
{
    // PSS in MiB.
    static long pssMiB()
    {
        qint64 kib = 0;
        for (qint64 pid : ProcessFamily::of(QCoreApplication::applicationPid()))
            kib += qMax<qint64>(0, ProcessUsage::read(pid, 0).pssKiB);
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
