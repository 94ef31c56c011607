#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <ctime>

// The longest gap between two turns of the event loop while `work` runs, and
// how much of that gap the GUI thread spent on a core: on a machine shared
// with other work the rest is time spent waiting for one. Header-only: the
// benchmarks share it.
struct StallMeter
{
    QTimer tick;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 lastCpuUs = 0;
    qint64 longest = 0;
    qint64 longestCpu = 0;
    StallMeter()
    {
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [this] {
            const qint64 now = clock.elapsed();
            const qint64 cpuUs = threadCpuUs();
            if (now - last > longest) {
                longest = now - last;
                longestCpu = (cpuUs - lastCpuUs) / 1000;
            }
            last = now;
            lastCpuUs = cpuUs;
        });
        clock.start();
        lastCpuUs = threadCpuUs();
        tick.start();
    }
    // Forgets what was measured so far: the next figure starts now.
    void restart()
    {
        longest = 0;
        longestCpu = 0;
        last = clock.elapsed();
        lastCpuUs = threadCpuUs();
    }
    static qint64 threadCpuUs()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
    }
};
