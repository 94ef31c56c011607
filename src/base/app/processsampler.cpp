#include "app/processsampler.h"

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
    QMetaObject::invokeMethod(m_worker, [this, clock, pids] {
        QList<ProcessUsage::Sample> samples;
        for (qint64 pid : pids)
            samples.append(ProcessUsage::read(pid, clock->elapsed()));
        QMetaObject::invokeMethod(this, [this, samples] { take(samples); }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

void ProcessSampler::take(const QList<ProcessUsage::Sample> &samples)
{
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
    }
    emit sampled();
}
