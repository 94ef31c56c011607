#include "web/discardrule.h"

#include <QtTest>

using Tab = DiscardRule::Tab;
Q_DECLARE_METATYPE(QList<DiscardRule::Tab>)

namespace {
Tab tab(TabContext::Kind kind, qint64 lastShownMs, bool shown = false, bool discarded = false)
{
    return Tab{kind, shown, lastShownMs, discarded};
}

constexpr qint64 kOver = 600 * 1024;  // 600 MiB read, against a ceiling of 512
}

// Which page gives its memory back past the player's ceiling.
class TestDiscardRule final : public QObject
{
    Q_OBJECT

private slots:
    void pick_data()
    {
        QTest::addColumn<qint64>("ceilingMiB");
        QTest::addColumn<qint64>("pssKiB");
        QTest::addColumn<QList<Tab>>("tabs");
        QTest::addColumn<int>("chosen");
        const QList<Tab> usual{tab(TabContext::Home, 900), tab(TabContext::Web, 300), tab(TabContext::Web, 100),
                               tab(TabContext::GamePlay, 1000, true)};
        QTest::newRow("off") << qint64(0) << kOver << usual << -1;
        QTest::newRow("off, negative") << qint64(-1) << kOver << usual << -1;
        QTest::newRow("under") << qint64(512) << qint64(400 * 1024) << usual << -1;
        QTest::newRow("exactly at it") << qint64(512) << qint64(512 * 1024) << usual << -1;
        QTest::newRow("unknown total") << qint64(512) << qint64(-1) << usual << -1;
        QTest::newRow("above: unused longest") << qint64(512) << kOver << usual << 2;
        QTest::newRow("one KiB above") << qint64(512) << qint64(512 * 1024 + 1) << usual << 2;
        QTest::newRow("never shown comes first")
            << qint64(512) << kOver << QList<Tab>{tab(TabContext::Web, 100), tab(TabContext::Web, 0)} << 1;
        // Games are older than every page here and still never chosen.
        QTest::newRow("never a game")
            << qint64(512) << kOver
            << QList<Tab>{tab(TabContext::WebGame, 1), tab(TabContext::H5Game, 2), tab(TabContext::GamePlay, 3),
                          tab(TabContext::Web, 50)}
            << 3;
        QTest::newRow("only games") << qint64(512) << kOver
                                    << QList<Tab>{tab(TabContext::WebGame, 1), tab(TabContext::H5Game, 2)} << -1;
        QTest::newRow("never home") << qint64(512) << kOver
                                    << QList<Tab>{tab(TabContext::Home, 0), tab(TabContext::Web, 50)} << 1;
        QTest::newRow("never the one in front")
            << qint64(512) << kOver << QList<Tab>{tab(TabContext::Web, 10, true), tab(TabContext::Web, 50)} << 1;
        QTest::newRow("never one already discarded")
            << qint64(512) << kOver << QList<Tab>{tab(TabContext::Web, 10, false, true), tab(TabContext::Web, 50)}
            << 1;
        QTest::newRow("nothing left to discard")
            << qint64(512) << kOver
            << QList<Tab>{tab(TabContext::Home, 0), tab(TabContext::Web, 10, false, true),
                          tab(TabContext::Web, 20, true)}
            << -1;
        QTest::newRow("no tabs") << qint64(512) << kOver << QList<Tab>() << -1;
    }

    void pick()
    {
        QFETCH(qint64, ceilingMiB);
        QFETCH(qint64, pssKiB);
        QFETCH(QList<Tab>, tabs);
        QFETCH(int, chosen);
        QCOMPARE(DiscardRule::pick(ceilingMiB, pssKiB, tabs), chosen);
    }

    void notice_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("notice");
        const QString head = QStringLiteral("内存超过上限，已释放网页：");
        QTest::newRow("short") << QStringLiteral("积分商城") << head + QStringLiteral("积分商城");
        QTest::newRow("lines and spaces") << QStringLiteral("  a\n\tb  ") << head + QStringLiteral("a b");
        QTest::newRow("empty") << QStringLiteral(" \n") << head + QStringLiteral("无标题");
        QTest::newRow("exactly thirty") << QString(30, QLatin1Char('x')) << head + QString(30, QLatin1Char('x'));
        QTest::newRow("long") << QString(200, QLatin1Char('x')) << head + QString(30, QLatin1Char('x')) + QStringLiteral("…");
        // An emoji across the cut is left out whole, not halved.
        QTest::newRow("pair across the cut") << QString(29, QLatin1Char('x')) + QStringLiteral("😀yz")
                                             << head + QString(29, QLatin1Char('x')) + QStringLiteral("…");
    }

    void notice()
    {
        QFETCH(QString, title);
        QFETCH(QString, notice);
        QCOMPARE(DiscardRule::notice(title), notice);
    }
};

QTEST_GUILESS_MAIN(TestDiscardRule)
#include "tst_discardrule.moc"
