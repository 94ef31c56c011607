#include "app/settings.h"
#include "web/pagekeymap.h"
#include "web/pagezoom.h"
#include "testsupport.h"

#include <QtTest>

using Action = PageKeyMap::Action;
Q_DECLARE_METATYPE(PageKeyMap::Action)

// Which key does what in a page, and the zoom steps and their memory.
class TestPageKeyMap final : public QObject
{
    Q_OBJECT

private slots:
    void keysAndWhatTheyDo_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<Action>("action");
        QTest::newRow("F5") << QKeySequence(Qt::Key_F5) << Action::Reload;
        QTest::newRow("Ctrl+R") << QKeySequence(Qt::CTRL | Qt::Key_R) << Action::Reload;
        QTest::newRow("Ctrl+F") << QKeySequence(Qt::CTRL | Qt::Key_F) << Action::Find;
        QTest::newRow("Ctrl+Plus") << QKeySequence(Qt::CTRL | Qt::Key_Plus) << Action::ZoomIn;
        QTest::newRow("Ctrl+Shift+Plus") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus) << Action::ZoomIn;
        QTest::newRow("Ctrl+= without Shift") << QKeySequence(Qt::CTRL | Qt::Key_Equal) << Action::ZoomIn;
        QTest::newRow("Ctrl+Minus") << QKeySequence(Qt::CTRL | Qt::Key_Minus) << Action::ZoomOut;
        QTest::newRow("Ctrl+0") << QKeySequence(Qt::CTRL | Qt::Key_0) << Action::ZoomReset;
        QTest::newRow("F11") << QKeySequence(Qt::Key_F11) << Action::FullScreen;
        QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W) << Action::CloseTab;
        QTest::newRow("Ctrl+Tab") << QKeySequence(Qt::CTRL | Qt::Key_Tab) << Action::NextTab;
        QTest::newRow("Ctrl+Shift+Tab as sent") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)
                                                << Action::PreviousTab;
        QTest::newRow("Ctrl+Shift+Tab") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab) << Action::PreviousTab;
        // Keys that stay the page's or another part's.
        QTest::newRow("R alone") << QKeySequence(Qt::Key_R) << Action::None;
        QTest::newRow("Ctrl+Shift+R") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R) << Action::None;
        QTest::newRow("Ctrl+C") << QKeySequence(Qt::CTRL | Qt::Key_C) << Action::None;
        QTest::newRow("Alt+Q, the boss key") << QKeySequence(Qt::ALT | Qt::Key_Q) << Action::None;
        QTest::newRow("Tab") << QKeySequence(Qt::Key_Tab) << Action::None;
        QTest::newRow("F12") << QKeySequence(Qt::Key_F12) << Action::None;
    }

    void keysAndWhatTheyDo()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(Action, action);
        QCOMPARE(PageKeyMap::action(keys), action);
    }

    void zoomSteps_data()
    {
        QTest::addColumn<double>("from");
        QTest::addColumn<int>("direction");
        QTest::addColumn<double>("to");
        QTest::newRow("100 % up") << 1.0 << 1 << 1.1;
        QTest::newRow("100 % down") << 1.0 << -1 << 0.9;
        QTest::newRow("between steps up") << 1.3 << 1 << 1.5;
        QTest::newRow("between steps down") << 1.3 << -1 << 1.25;
        QTest::newRow("stored as text, 110 %") << 1.1000001 << 1 << 1.25;
        QTest::newRow("top stays") << 5.0 << 1 << 5.0;
        QTest::newRow("bottom stays") << 0.25 << -1 << 0.25;
    }

    void zoomSteps()
    {
        QFETCH(double, from);
        QFETCH(int, direction);
        QFETCH(double, to);
        QCOMPARE(PageZoom::step(from, direction), to);
    }

    void zoomIsRememberedPerHost()
    {
        TestAppDir dir;
        Settings settings;
        const QString game = QStringLiteral("s1.game.example:8080");
        PageZoom::store(&settings, game, 1.25);
        QCOMPARE(PageZoom::stored(&settings, game), 1.25);
        QCOMPARE(PageZoom::stored(&settings, QStringLiteral("s2.game.example")), 1.0);
        // Back at 100 % the host is forgotten.
        PageZoom::store(&settings, game, 1.0);
        QVERIFY(!settings.contains(PageZoom::key(game)));
        // A hand-edited or broken value opens at 100 %.
        for (const char *value : {"abc", "0", "-2", "99", "nan", "inf"}) {
            settings.setValue(PageZoom::key(game), QLatin1String(value));
            QCOMPARE(PageZoom::stored(&settings, game), 1.0);
        }
        // A host cannot make a group of its own in the ini file.
        QCOMPARE(PageZoom::key(QStringLiteral("a/b\\c")), QStringLiteral("zoom/a_b_c"));
    }
};

QTEST_GUILESS_MAIN(TestPageKeyMap)
#include "tst_pagekeymap.moc"
