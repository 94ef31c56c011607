#pragma once

#include "app/processusage.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>

class QThread;

// Reads what processes cost on a thread of its own, so the GUI thread never
// waits on /proc. The thread starts with the first request; an idle sampler
// costs nothing. CPU shares compare each process with its previous sample.
class ProcessSampler : public QObject
{
    Q_OBJECT
public:
    struct Usage {
        qint64 pssKiB = -1;
        double cpuPercent = -1;
    };

    explicit ProcessSampler(QObject *parent = nullptr);
    ~ProcessSampler() override;

    void request(const QList<qint64> &pids);
    // The latest figures of pid; unknown ones until a sample arrives.
    Usage usage(qint64 pid) const { return m_usage.value(pid); }

signals:
    void sampled();

private:
    void take(const QList<ProcessUsage::Sample> &samples);

    QThread *m_thread = nullptr;
    QObject *m_worker = nullptr;
    QElapsedTimer m_clock;
    QHash<qint64, ProcessUsage::Sample> m_previous;
    QHash<qint64, Usage> m_usage;
};
