#include "app/processsampler.h"

#include "app/processfamily.h"

#include <QThread>

ProcessSampler::ProcessSampler(QObject *parent)
    : QObject(parent)
{
    m_clock.start();
}

ProcessSampler::~ProcessSampler()
{
    if (m_thread) {
        m_thread->quit();
        m_thread->wait();
        delete m_worker;
    }
}

void ProcessSampler::request(const QList<qint64> &pids)
{
    startSampling([pids] { return pids; }, false);
}

void ProcessSampler::requestTree(qint64 root)
{
    startSampling([root] { return ProcessFamily::of(root); }, true);
}

void ProcessSampler::startSampling(std::function<QList<qint64>()> listPids, bool tree)
{
    if (!m_thread) {
        m_thread = new QThread(this);
        m_thread->setObjectName(QStringLiteral("ProcessSampler"));
        m_worker = new QObject;
        m_worker->moveToThread(m_thread);
        m_thread->start(QThread::LowPriority);
    }
    const QElapsedTimer *clock = &m_clock;
    // This object outlives the thread (the destructor waits for it), so the
    // answer posted back always finds it.
    QMetaObject::invokeMethod(m_worker, [this, clock, listPids, tree] {
        QList<ProcessUsage::Sample> samples;
        for (qint64 pid : listPids())
            samples.append(ProcessUsage::read(pid, clock->elapsed()));
        QMetaObject::invokeMethod(this, [this, samples, tree] { take(samples, tree); }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

void ProcessSampler::take(const QList<ProcessUsage::Sample> &samples, bool tree)
{
    qint64 treeKiB = -1;
    for (const ProcessUsage::Sample &sample : samples) {
        Usage usage;
        usage.pssKiB = sample.pssKiB;
        const auto previous = m_previous.constFind(sample.pid);
        if (previous != m_previous.constEnd())
            usage.cpuPercent = ProcessUsage::cpuPercent(previous->cpuTicks, sample.cpuTicks,
                                                        sample.atMs - previous->atMs,
                                                        ProcessUsage::ticksPerSecond());
        m_usage.insert(sample.pid, usage);
        m_previous.insert(sample.pid, sample);
        // A helper that ended between the listing and its reading costs nothing.
        if (sample.pssKiB >= 0)
            treeKiB = qMax<qint64>(treeKiB, 0) + sample.pssKiB;
    }
    if (tree)
        m_treeKiB = treeKiB;
    emit sampled();
}
