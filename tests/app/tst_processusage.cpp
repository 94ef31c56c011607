#include "app/processfamily.h"
#include "app/processsampler.h"
#include "app/processusage.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <unistd.h>

class TestProcessUsage final : public QObject
{
    Q_OBJECT

private slots:
    void pssIsReadFromTheRollup_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("kib");
        const QByteArray rollup = "55d1c0a00000-7ffd8a1f6000 ---p 00000000 00:00 0    [rollup]\n"
                                  "Rss:              123456 kB\n"
                                  "Pss:               98765 kB\n"
                                  "Pss_Anon:          50000 kB\n";
        QTest::newRow("rollup") << rollup << qint64(98765);
        QTest::newRow("Pss_Anon alone is not Pss") << QByteArray("Pss_Anon: 5 kB\n") << qint64(-1);
        QTest::newRow("empty (gone)") << QByteArray() << qint64(-1);
        QTest::newRow("other unit") << QByteArray("Pss: 12 MB\n") << qint64(-1);
        QTest::newRow("negative") << QByteArray("Pss: -4 kB\n") << qint64(-1);
        QTest::newRow("garbage number") << QByteArray("Pss: 12x kB\n") << qint64(-1);
    }

    void pssIsReadFromTheRollup()
    {
        QFETCH(QByteArray, text);
        QFETCH(qint64, kib);
        QCOMPARE(ProcessUsage::pssKiB(text), kib);
    }

    void cpuTicksAddUserAndSystemTime_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("ticks");
        const QByteArray tail = " S 1 2 3 4 5 6 7 8 9 10 250 40 0 0 20 0 1 0 100 2000 300\n";
        QTest::newRow("plain name") << QByteArray("1234 (QtWebEngineProc)") + tail << qint64(290);
        QTest::newRow("name with spaces and parentheses") << QByteArray("1234 (a) b (c)") + tail << qint64(290);
        QTest::newRow("cut short") << QByteArray("1234 (x) S 1 2 3") << qint64(-1);
        QTest::newRow("no name") << QByteArray("1234 x S") << qint64(-1);
        QTest::newRow("letters for numbers") << QByteArray("1 (x) S 1 2 3 4 5 6 7 8 9 10 u s 0") << qint64(-1);
    }

    void cpuTicksAddUserAndSystemTime()
    {
        QFETCH(QByteArray, text);
        QFETCH(qint64, ticks);
        QCOMPARE(ProcessUsage::cpuTicks(text), ticks);
    }

    void cpuShareComparesTwoSamples_data()
    {
        QTest::addColumn<qint64>("before");
        QTest::addColumn<qint64>("after");
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<double>("percent");
        QTest::newRow("half a core") << qint64(100) << qint64(200) << qint64(2000) << 50.0;
        QTest::newRow("two cores") << qint64(0) << qint64(400) << qint64(2000) << 200.0;
        QTest::newRow("idle") << qint64(7) << qint64(7) << qint64(2000) << 0.0;
        QTest::newRow("no time passed") << qint64(1) << qint64(5) << qint64(0) << -1.0;
        QTest::newRow("pid reused: fewer ticks") << qint64(500) << qint64(20) << qint64(2000) << -1.0;
        QTest::newRow("unknown before") << qint64(-1) << qint64(20) << qint64(2000) << -1.0;
    }

    void cpuShareComparesTwoSamples()
    {
        QFETCH(qint64, before);
        QFETCH(qint64, after);
        QFETCH(qint64, elapsedMs);
        QFETCH(double, percent);
        QCOMPARE(ProcessUsage::cpuPercent(before, after, elapsedMs, 100), percent);
    }

    void parentIsReadAfterTheCommandName_data()
    {
        QTest::addColumn<QByteArray>("stat");
        QTest::addColumn<qint64>("parent");
        QTest::newRow("plain") << QByteArray("4242 (QtWebEngineProc) S 4100 4100 4100 0 -1") << qint64(4100);
        QTest::newRow("name with spaces and parentheses") << QByteArray("77 (a) b (c) S 12 77 77") << qint64(12);
        QTest::newRow("no name") << QByteArray("77 S 12 77") << qint64(-1);
        QTest::newRow("cut after the state") << QByteArray("77 (x) S") << qint64(-1);
        QTest::newRow("parent not a number") << QByteArray("77 (x) S ab 1") << qint64(-1);
        QTest::newRow("empty") << QByteArray() << qint64(-1);
    }

    void parentIsReadAfterTheCommandName()
    {
        QFETCH(QByteArray, stat);
        QFETCH(qint64, parent);
        QCOMPARE(ProcessFamily::parentPid(stat), parent);
    }

    void familyTakesEveryDescendantOnce_data()
    {
        using Parents = QHash<qint64, qint64>;
        QTest::addColumn<Parents>("parentOf");
        QTest::addColumn<QList<qint64>>("family");
        // 10 is the client; 11 the zygote, 12 and 13 renderers under it, 20 a stranger.
        const Parents tree{{10, 1}, {11, 10}, {12, 11}, {13, 11}, {14, 10}, {20, 1}, {21, 20}};
        QTest::newRow("client and helpers") << tree << QList<qint64>{10, 11, 14, 12, 13};
        QTest::newRow("alone") << Parents{{10, 1}, {20, 1}} << QList<qint64>{10};
        QTest::newRow("root not listed") << Parents{{11, 10}} << QList<qint64>{10, 11};
        // Pids reused while the map was read can make a loop.
        QTest::newRow("loop") << Parents{{10, 12}, {11, 10}, {12, 11}} << QList<qint64>{10, 11, 12};
    }

    void familyTakesEveryDescendantOnce()
    {
        using Parents = QHash<qint64, qint64>;
        QFETCH(Parents, parentOf);
        QFETCH(QList<qint64>, family);
        QList<qint64> found = ProcessFamily::below(10, parentOf);
        QCOMPARE(found.first(), qint64(10));
        std::sort(found.begin(), found.end());
        std::sort(family.begin(), family.end());
        QCOMPARE(found, family);
    }

    // The real tree: a child and its own child count, and their memory is in the sum.
    void samplerReadsTheWholeTree()
    {
        QProcess child;
        child.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("sleep 60 & wait")});
        QVERIFY(child.waitForStarted());
        QList<qint64> family;
        QTRY_VERIFY((family = ProcessFamily::of(getpid())).size() >= 3);
        QCOMPARE(family.first(), qint64(getpid()));
        QVERIFY(family.contains(child.processId()));

        ProcessSampler sampler;
        QSignalSpy sampled(&sampler, &ProcessSampler::sampled);
        QCOMPARE(sampler.treePssKiB(), qint64(-1));
        sampler.requestTree(getpid());
        QVERIFY(sampled.wait());
        qint64 parts = 0;
        for (qint64 pid : family)
            parts += qMax<qint64>(0, sampler.usage(pid).pssKiB);
        QVERIFY(sampler.usage(child.processId()).pssKiB > 0);
        QVERIFY(sampler.treePssKiB() > sampler.usage(getpid()).pssKiB);
        QVERIFY(qAbs(sampler.treePssKiB() - parts) < parts / 10);
        child.kill();
        child.waitForFinished();
    }

    void samplerReadsThisProcessOffTheCallingThread()
    {
        ProcessSampler sampler;
        QSignalSpy sampled(&sampler, &ProcessSampler::sampled);
        const qint64 self = getpid();
        sampler.request({self, 0});
        QVERIFY(sampled.wait());
        QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
        QVERIFY(rollup.open(QIODevice::ReadOnly));
        const qint64 pss = ProcessUsage::pssKiB(rollup.readAll());
        QVERIFY(pss > 0);
        QVERIFY(qAbs(sampler.usage(self).pssKiB - pss) < pss / 10);
        QCOMPARE(sampler.usage(0).pssKiB, qint64(-1));
        QCOMPARE(sampler.usage(self).cpuPercent, -1.0);  // one sample: no share yet
        QTest::qWait(50);  // a later sample: the two are compared over the time between them
        sampler.request({self});
        QVERIFY(sampled.wait());
        QVERIFY(sampler.usage(self).cpuPercent >= 0);
    }
};

QTEST_GUILESS_MAIN(TestProcessUsage)
#include "tst_processusage.moc"
