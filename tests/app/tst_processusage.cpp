#include "app/processsampler.h"
#include "app/processusage.h"

#include <QFile>
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
