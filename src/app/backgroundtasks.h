#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QThread;
class ThreadCheckAccount;
class TokenDelayThread;

// The client's background activities, owned in one place: each is started
// here in the order the main window asks for them and stopped in reverse, so
// that no worker outlives the objects it reports to.
class BackgroundTasks : public QObject
{
    Q_OBJECT
public:
    explicit BackgroundTasks(QObject *parent = nullptr);
    ~BackgroundTasks() override;

    // The account check: a worker on a thread of its own, polling once a period.
    ThreadCheckAccount *startAccountCheck();
    // The hourly token refresh.
    TokenDelayThread *startTokenThread();

    ThreadCheckAccount *accountCheck() const { return m_accountCheck; }
    TokenDelayThread *tokenThread() const { return m_tokenThread; }
    int runningCount() const;

    // Stops every started activity, the last started first, and waits for each.
    void stopAll();

private:
    QList<QPointer<QThread>> m_started;
    // Deleted on its own thread when that thread ends.
    QPointer<ThreadCheckAccount> m_accountCheck;
    TokenDelayThread *m_tokenThread = nullptr;
};
