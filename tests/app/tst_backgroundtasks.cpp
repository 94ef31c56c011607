#include "web/backgroundtasks.h"
#include "net/threadcheckaccount.h"
#include "net/tokendelaythread.h"

#include <QPointer>
#include <QThread>
#include <QtTest>

// The background activities start in order and stop in reverse, each one
// finished before the next is asked to stop.
class TestBackgroundTasks final : public QObject
{
    Q_OBJECT

private slots:
    void stopsInReverseOrderAndFreesTheWorker()
    {
        BackgroundTasks tasks;
        ThreadCheckAccount *check = tasks.startAccountCheck();
        TokenDelayThread *token = tasks.startTokenThread();
        QCOMPARE(tasks.startAccountCheck(), check);
        QCOMPARE(tasks.runningCount(), 2);
        QVERIFY(check->thread() != QThread::currentThread());

        QStringList finished;
        connect(check->thread(), &QThread::finished, this, [&] { finished << QStringLiteral("check"); },
                Qt::DirectConnection);
        connect(token, &QThread::finished, this, [&] { finished << QStringLiteral("token"); }, Qt::DirectConnection);
        QPointer<ThreadCheckAccount> worker = check;

        tasks.stopAll();
        QCOMPARE(finished, QStringList({QStringLiteral("token"), QStringLiteral("check")}));
        QCOMPARE(tasks.runningCount(), 0);
        // The worker goes with its thread instead of leaking.
        QTRY_VERIFY_WITH_TIMEOUT(!worker, 5000);
        QCOMPARE(tasks.accountCheck(), nullptr);
    }

    void destroyingStopsWhatRuns()
    {
        QPointer<TokenDelayThread> token;
        {
            BackgroundTasks tasks;
            token = tasks.startTokenThread();
            tasks.startAccountCheck();
        }
        // Reaching here without an abort is the test: a running QThread destroyed aborts.
        QVERIFY(!token);
    }
};

QTEST_GUILESS_MAIN(TestBackgroundTasks)
#include "tst_backgroundtasks.moc"
