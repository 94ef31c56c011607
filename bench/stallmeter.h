#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The longest gap between two turns of the event loop while `work` runs.
// Header-only: the benchmarks share it.
struct StallMeter
{
    QTimer tick;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    StallMeter()
    {
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [this] {
            const qint64 now = clock.elapsed();
            longest = qMax(longest, now - last);
            last = now;
        });
        clock.start();
        tick.start();
    }
    // Forgets what was measured so far: the next figure starts now.
    void restart()
    {
        longest = 0;
        last = clock.elapsed();
    }
};
