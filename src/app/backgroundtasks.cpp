#include "backgroundtasks.h"

#include "threadcheckaccount.h"
#include "tokendelaythread.h"

#include <QThread>

BackgroundTasks::BackgroundTasks(QObject *parent)
    : QObject(parent)
{
}

BackgroundTasks::~BackgroundTasks()
{
    // A QThread destroyed while running aborts the process.
    stopAll();
}

ThreadCheckAccount *BackgroundTasks::startAccountCheck()
{
    if (m_accountCheck)
        return m_accountCheck;
    auto *thread = new QThread(this);
    m_accountCheck = new ThreadCheckAccount;
    m_accountCheck->moveToThread(thread);
    // The worker's timer and network objects belong to its thread and go with it.
    connect(thread, &QThread::finished, m_accountCheck, &QObject::deleteLater);
    thread->start(QThread::InheritPriority);
    m_started << thread;
    return m_accountCheck;
}

TokenDelayThread *BackgroundTasks::startTokenThread()
{
    if (m_tokenThread)
        return m_tokenThread;
    m_tokenThread = new TokenDelayThread(this);
    m_tokenThread->start(QThread::InheritPriority);
    m_started << m_tokenThread;
    return m_tokenThread;
}

int BackgroundTasks::runningCount() const
{
    int running = 0;
    for (const QPointer<QThread> &thread : m_started)
        running += thread && thread->isRunning() ? 1 : 0;
    return running;
}

void BackgroundTasks::stopAll()
{
    for (int i = m_started.size() - 1; i >= 0; --i) {
        QThread *thread = m_started.at(i);
        if (!thread)
            continue;
        thread->quit();
        thread->wait();
    }
}
