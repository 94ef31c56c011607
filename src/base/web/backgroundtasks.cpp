#include "web/backgroundtasks.h"

#include "dialogs/checkupdatethread.h"
#include "web/gameurlgotointerceptorthread.h"
#include "net/threadcheckaccount.h"
#include "web/threadgameidhostmap.h"
#include "net/tokendelaythread.h"

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

GameUrlGotoInterceptorThread *BackgroundTasks::startRulesWorker()
{
    auto *thread = new GameUrlGotoInterceptorThread(this);
    thread->start(QThread::LowPriority);
    m_started << thread;
    return thread;
}

ThreadGameIdHostMap *BackgroundTasks::startGameIdMap(QObject *context,
                                                     const std::function<void(const QByteArray &)> &onMap)
{
    if (m_gameIdMap)
        return m_gameIdMap;
    auto *thread = new QThread(this);
    m_gameIdMap = new ThreadGameIdHostMap;
    m_gameIdMap->moveToThread(thread);
    connect(thread, &QThread::started, m_gameIdMap, &ThreadGameIdHostMap::getinfo);
    connect(thread, &QThread::finished, m_gameIdMap, &QObject::deleteLater);
    connect(m_gameIdMap, &ThreadGameIdHostMap::signalsMap, context, onMap);
    thread->start(QThread::LowPriority);
    m_started << thread;
    return m_gameIdMap;
}

CheckUpdateThread *BackgroundTasks::startUpdateCheck(bool skipping, const QString &skippedVersion,
                                                     QObject *context, const std::function<void()> &onNewVersion)
{
    if (m_updateCheck)
        return m_updateCheck;
    auto *thread = new QThread(this);
    m_updateCheck = new CheckUpdateThread(skipping, skippedVersion);
    m_updateCheck->moveToThread(thread);
    connect(thread, &QThread::started, m_updateCheck, &CheckUpdateThread::checkUpdate);
    // One question: the thread ends with its answer.
    connect(m_updateCheck, &CheckUpdateThread::signalDone, thread, &QThread::quit);
    connect(thread, &QThread::finished, m_updateCheck, &QObject::deleteLater);
    connect(m_updateCheck, &CheckUpdateThread::newVersion, context, onNewVersion);
    thread->start(QThread::LowPriority);
    m_started << thread;
    return m_updateCheck;
}

CheckUpdateThread *BackgroundTasks::updateCheck() const
{
    return m_updateCheck;
}

ThreadCheckAccount *BackgroundTasks::accountCheck() const
{
    return m_accountCheck;
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
