#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class CheckUpdateThread;
class GameUrlGotoInterceptorThread;
class QThread;
class ThreadCheckAccount;
class ThreadGameIdHostMap;
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
    // One request each at start: the diverting rules, and the game-id map.
    GameUrlGotoInterceptorThread *startRulesWorker();
    // The map's reply reaches onMap on the context's thread.
    ThreadGameIdHostMap *startGameIdMap(QObject *context, const std::function<void(const QByteArray &)> &onMap);

    // The update check: one question at start; a newer version that is not
    // skipped reaches onNewVersion on the context's thread.
    CheckUpdateThread *startUpdateCheck(bool skipping, const QString &skippedVersion, QObject *context,
                                        const std::function<void()> &onNewVersion);

    ThreadCheckAccount *accountCheck() const;
    // Null once the update check has answered and its thread has ended.
    CheckUpdateThread *updateCheck() const;
    TokenDelayThread *tokenThread() const { return m_tokenThread; }
    int runningCount() const;

    // Stops every started activity, the last started first, and waits for each.
    void stopAll();

private:
    QList<QPointer<QThread>> m_started;
    // Deleted on its own thread when that thread ends.
    QPointer<ThreadCheckAccount> m_accountCheck;
    TokenDelayThread *m_tokenThread = nullptr;
    QPointer<ThreadGameIdHostMap> m_gameIdMap;
    QPointer<CheckUpdateThread> m_updateCheck;
};
