#include "web/crashrecovery.h"

#include <QtTest>

class TestCrashRecovery final : public QObject
{
    Q_OBJECT

private slots:
    // Crash times in ms, the address of each and what each one leads to.
    void repeatedCrashesWaitForTheUser_data()
    {
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QList<bool>>("byItself");
        const QString game = QStringLiteral("http://portal.test/game_play/101.html");
        const QString other = QStringLiteral("http://portal.test/news/1.html");
        QTest::newRow("one") << QList<qint64>{5000} << QStringList{game} << QList<bool>{true};
        QTest::newRow("again within the minute") << QList<qint64>{0, 59999} << QStringList{game, game}
                                                 << QList<bool>{true, false};
        // A page that dies a little more than a minute after each load.
        QTest::newRow("every 62 s") << QList<qint64>{0, 62000, 124000} << QStringList{game, game, game}
                                    << QList<bool>{true, false, false};
        QTest::newRow("a fresh query is the same page")
            << QList<qint64>{0, 62000} << QStringList{game + QStringLiteral("?t=1"), game + QStringLiteral("?t=2")}
            << QList<bool>{true, false};
        QTest::newRow("again after ten minutes") << QList<qint64>{0, 600001} << QStringList{game, game}
                                                 << QList<bool>{true, true};
        QTest::newRow("two pages once each") << QList<qint64>{0, 1000} << QStringList{game, other}
                                             << QList<bool>{true, true};
        // A page that wanders to a new address at each crash stops at the third.
        QTest::newRow("third address")
            << QList<qint64>{0, 62000, 124000} << QStringList{game, other, QStringLiteral("http://portal.test/x")}
            << QList<bool>{true, true, false};
    }

    void repeatedCrashesWaitForTheUser()
    {
        QFETCH(QList<qint64>, times);
        QFETCH(QStringList, addresses);
        QFETCH(QList<bool>, byItself);
        CrashRecovery recovery;
        for (int i = 0; i < times.size(); ++i)
            QCOMPARE(recovery.crashed(times.at(i), addresses.at(i)) == CrashRecovery::ReloadByItself, byItself.at(i));
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
