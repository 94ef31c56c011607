#include "web/tabstripwidth.h"

#include <QtTest>

// The width of the tab strip and of its tabs, without a window.
class TestTabStripWidth final : public QObject
{
    Q_OBJECT

private slots:
    void widths_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("bar");
        QTest::addColumn<int>("tab");
        QTest::newRow("room for three of four") << 1000 << 3 << 470 << 0;
        QTest::newRow("as many as fit") << 1000 << 4 << 620 << 0;
        QTest::newRow("one more than fit: tabs share the strip") << 1000 << 5 << 600 << 98;
        QTest::newRow("no tabs") << 1000 << 0 << 20 << 0;
        QTest::newRow("wide window") << 1920 << 1 << 170 << 0;
        QTest::newRow("default window, eight tabs") << 1276 << 8 << 900 << 90;
        QTest::newRow("wide window, many tabs") << 1920 << 30 << 1500 << 28;
        QTest::newRow("past the narrowest tab") << 1000 << 40 << 600 << TabStripWidth::minTabWidth;
    }

    void widths()
    {
        QFETCH(int, width);
        QFETCH(int, count);
        QFETCH(int, bar);
        QFETCH(int, tab);
        QCOMPARE(TabStripWidth::barWidth(width, count), bar);
        QCOMPARE(TabStripWidth::tabWidth(width, count), tab);
        // Shared out, the tabs never need more than the strip.
        if (tab > TabStripWidth::minTabWidth)
            QVERIFY(count * (tab + TabStripWidth::tabChrome) <= bar);
        const QString sheet = TabStripWidth::styleSheet(width, count);
        QVERIFY(sheet.startsWith(QStringLiteral("QTabWidget#mainTabWidget::tab-bar{width:%1px;}").arg(bar)));
        QCOMPARE(sheet.contains(QStringLiteral("QTabBar::tab{width:%1px;}").arg(tab)), tab > 0);
    }
};

QTEST_GUILESS_MAIN(TestTabStripWidth)
#include "tst_tabstripwidth.moc"
