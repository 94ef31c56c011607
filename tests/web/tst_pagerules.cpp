#include "web/dialogflood.h"
#include "web/newtabgate.h"
#include "web/sitepermissions.h"

#include <QtTest>

// What a page may do on its own: open tabs (NewTabGate) and ask questions
// (DialogFlood). Times are milliseconds on one clock; -1 is no input at all.
class TestPageRules final : public QObject
{
    Q_OBJECT

private slots:
    // Each row: pairs of (time of the request, time of the last input) and
    // the verdicts in order: o open, g no gesture, m too many.
    void newTabsNeedInputAndAreRationed_data()
    {
        QTest::addColumn<QList<qint64>>("requests");
        QTest::addColumn<QList<qint64>>("inputs");
        QTest::addColumn<QString>("verdicts");
        QTest::newRow("no input ever") << QList<qint64>{0, 10, 20} << QList<qint64>{-1, -1, -1} << "ggg";
        QTest::newRow("a click, then one tab") << QList<qint64>{100} << QList<qint64>{50} << "o";
        QTest::newRow("one click, a few tabs") << QList<qint64>{100, 101, 102} << QList<qint64>{50, 50, 50} << "ooo";
        QTest::newRow("a click too long ago") << QList<qint64>{5051} << QList<qint64>{50} << "g";
        QTest::newRow("a click just in time") << QList<qint64>{5050} << QList<qint64>{50} << "o";
        QTest::newRow("six from one click")
            << QList<qint64>{1, 2, 3, 4, 5, 6} << QList<qint64>{1, 1, 1, 1, 1, 1} << "ooooom";
        QTest::newRow("a new click, a few more")
            << QList<qint64>{1, 2, 3, 4, 5, 6, 7} << QList<qint64>{1, 1, 1, 1, 1, 1, 7} << "ooooomo";
        QList<qint64> clicks;
        for (qint64 at = 1; at <= 21; ++at)
            clicks << at * 100;
        QTest::newRow("a click each, 21 in a minute") << clicks << clicks << QString(20, QLatin1Char('o')) + QLatin1Char('m');
        clicks.last() = 60100;
        QTest::newRow("a minute later there is room again")
            << clicks << clicks << QString(21, QLatin1Char('o'));
    }

    void newTabsNeedInputAndAreRationed()
    {
        QFETCH(QList<qint64>, requests);
        QFETCH(QList<qint64>, inputs);
        QFETCH(QString, verdicts);
        NewTabGate gate;
        QString got;
        for (int i = 0; i < requests.size(); ++i) {
            const NewTabGate::Verdict verdict = gate.ask(requests.at(i), inputs.at(i));
            got += verdict == NewTabGate::Open ? QLatin1Char('o') : verdict == NewTabGate::NoGesture ? QLatin1Char('g') : QLatin1Char('m');
        }
        QCOMPARE(got, verdicts);
    }

    void blockedTabsAreNamed()
    {
        QCOMPARE(NewTabGate::blockedText(NewTabGate::NoGesture, 40), QStringLiteral("已阻止页面打开 40 个新标签页（未经点击）"));
        QVERIFY(NewTabGate::blockedText(NewTabGate::TooMany, 3).contains(QStringLiteral("过多")));
    }

    // Only the portal's own games may lock the pointer; nothing else is granted.
    void permissionsAreRefusedButThePointerLock()
    {
        for (int feature = SitePermissions::Position; feature <= SitePermissions::Other; ++feature) {
            const auto kind = SitePermissions::Feature(feature);
            QVERIFY(!SitePermissions::grants(kind, false));
            QCOMPARE(SitePermissions::grants(kind, true), kind == SitePermissions::MouseLock);
        }
    }

    // Each row: when each dialog is asked and answered; the verdicts in order
    // (s show, o show with the offer, x silenced); whether the offer is taken
    // at the box of that index (-1 never).
    void dialogsThatComeQuicklyCanBeStopped_data()
    {
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<int>("stopAt");
        QTest::addColumn<QString>("verdicts");
        // Each box is answered 500 ms after it was asked.
        QTest::newRow("one") << QList<qint64>{0} << -1 << "s";
        QTest::newRow("far apart") << QList<qint64>{0, 4000, 8000} << -1 << "sss";
        QTest::newRow("in a loop") << QList<qint64>{0, 600, 1200} << -1 << "soo";
        QTest::newRow("stopped at the second") << QList<qint64>{0, 600, 1200, 99999} << 1 << "soxx";
    }

    void dialogsThatComeQuicklyCanBeStopped()
    {
        QFETCH(QList<qint64>, times);
        QFETCH(int, stopAt);
        QFETCH(QString, verdicts);
        DialogFlood flood;
        QString got;
        for (int i = 0; i < times.size(); ++i) {
            const DialogFlood::Verdict verdict = flood.asked(times.at(i));
            got += verdict == DialogFlood::Show ? QLatin1Char('s') : verdict == DialogFlood::ShowWithOffer ? QLatin1Char('o') : QLatin1Char('x');
            if (verdict == DialogFlood::Silence)
                continue;
            if (i == stopAt)
                flood.stop();
            flood.answered(times.at(i) + 500);
        }
        QCOMPARE(got, verdicts);
    }
};

QTEST_GUILESS_MAIN(TestPageRules)
#include "tst_pagerules.moc"
