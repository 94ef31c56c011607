#pragma once

#include "app/processusage.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>

#include <functional>

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
    // Every process under root, root included, listed and read on the
    // sampler's thread; their summed memory is treePssKiB() once in.
    void requestTree(qint64 root);
    // The latest figures of pid; unknown ones until a sample arrives.
    Usage usage(qint64 pid) const { return m_usage.value(pid); }
    // The PSS of the last tree sampled; -1 until one is in.
    qint64 treePssKiB() const { return m_treeKiB; }

signals:
    void sampled();

private:
    void startSampling(std::function<QList<qint64>()> listPids, bool tree);
    void take(const QList<ProcessUsage::Sample> &samples, bool tree);

    QThread *m_thread = nullptr;
    QObject *m_worker = nullptr;
    QElapsedTimer m_clock;
    QHash<qint64, ProcessUsage::Sample> m_previous;
    QHash<qint64, Usage> m_usage;
    qint64 m_treeKiB = -1;
};
