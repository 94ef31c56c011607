#include "crashrecovery.h"

#include <QtTest>

class TestCrashRecovery final : public QObject
{
    Q_OBJECT

private slots:
    // Crash times in ms and what each one leads to.
    void repeatedCrashesWaitForTheUser_data()
    {
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<QList<bool>>("byItself");
        QTest::newRow("one") << QList<qint64>{5000} << QList<bool>{true};
        QTest::newRow("again within the minute") << QList<qint64>{0, 59999} << QList<bool>{true, false};
        QTest::newRow("again after the minute") << QList<qint64>{0, 60000} << QList<bool>{true, true};
        // Each crash counts from the one before: a page that keeps crashing keeps waiting.
        QTest::newRow("every 40 s") << QList<qint64>{0, 40000, 80000, 200000} << QList<bool>{true, false, false, true};
    }

    void repeatedCrashesWaitForTheUser()
    {
        QFETCH(QList<qint64>, times);
        QFETCH(QList<bool>, byItself);
        CrashRecovery recovery;
        for (int i = 0; i < times.size(); ++i)
            QCOMPARE(recovery.crashed(times.at(i)) == CrashRecovery::ReloadByItself, byItself.at(i));
    }

    void reasonsNameTheStatusAndExitCode_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("start");
        QTest::newRow("abnormal") << 1 << QStringLiteral("页面进程异常退出");
        QTest::newRow("crashed") << 2 << QStringLiteral("页面进程崩溃");
        QTest::newRow("killed") << 3 << QStringLiteral("页面进程被终止");
        QTest::newRow("unknown") << 42 << QStringLiteral("页面进程异常退出");
    }

    void reasonsNameTheStatusAndExitCode()
    {
        QFETCH(int, status);
        QFETCH(QString, start);
        const QString reason = CrashRecovery::reason(status, 9);
        QVERIFY2(reason.startsWith(start) && reason.endsWith(QStringLiteral("退出码 9")), qPrintable(reason));
    }
};

QTEST_GUILESS_MAIN(TestCrashRecovery)
#include "tst_crashrecovery.moc"
