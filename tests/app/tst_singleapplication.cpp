#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>
#include <QtTest>

// Two real processes: the guard is only worth something across processes.
class TestSingleApplication final : public QObject
{
    Q_OBJECT

private:
    static bool waitForLine(QProcess &process, const QByteArray &line, int timeoutMs = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        QByteArray seen;
        while (timer.elapsed() < timeoutMs) {
            process.waitForReadyRead(100);
            seen += process.readAllStandardOutput();
            if (seen.split('\n').contains(line))
                return true;
            if (process.state() == QProcess::NotRunning && !process.bytesAvailable())
                break;
        }
        return seen.split('\n').contains(line);
    }

    static QString socketPath()
    {
        return QDir::tempPath() + QLatin1Char('/') + QFileInfo(QStringLiteral(PROBE_PATH)).fileName();
    }

private slots:
    void init()
    {
        QLocalServer::removeServer(QFileInfo(QStringLiteral(PROBE_PATH)).fileName());
    }

    void secondStartWakesFirstAndExitsZero_data()
    {
        QTest::addColumn<QStringList>("secondArgs");
        QTest::newRow("no arguments: empty text sent") << QStringList();
        QTest::newRow("with an argument") << QStringList{QStringLiteral("--from-desktop")};
    }

    void secondStartWakesFirstAndExitsZero()
    {
        QFETCH(QStringList, secondArgs);
        QProcess first;
        first.start(QStringLiteral(PROBE_PATH), QStringList());
        QVERIFY(waitForLine(first, "first"));

        QProcess second;
        second.start(QStringLiteral(PROBE_PATH), secondArgs);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(second.readAllStandardOutput().contains("second"));

        QVERIFY(waitForLine(first, "woken"));
        QVERIFY(first.waitForFinished(10000));
    }

    void staleSocketOfCrashedCopyIsTakenOver()
    {
        QProcess crashed;
        crashed.start(QStringLiteral(PROBE_PATH), QStringList());
        QVERIFY(waitForLine(crashed, "first"));
        crashed.kill();
        QVERIFY(crashed.waitForFinished(5000));
        QVERIFY2(QFileInfo::exists(socketPath()), "a killed copy leaves its socket behind");

        QProcess next;
        next.start(QStringLiteral(PROBE_PATH), QStringList());
        QVERIFY2(waitForLine(next, "first"), "the next start must become the first copy");

        // And it really serves: a further start hands over to it.
        QProcess third;
        third.start(QStringLiteral(PROBE_PATH), QStringList());
        QVERIFY(third.waitForFinished(10000));
        QCOMPARE(third.exitCode(), 0);
        QVERIFY(waitForLine(next, "woken"));
        QVERIFY(next.waitForFinished(10000));
    }
};

QTEST_GUILESS_MAIN(TestSingleApplication)
#include "tst_singleapplication.moc"
