#include "shell/closerule.h"

#include <QVariant>
#include <QtTest>

Q_DECLARE_METATYPE(CloseRule::Action)

// What the close button does for each setting, with and without a tray.
class TestCloseRule final : public QObject
{
    Q_OBJECT

private slots:
    void closeNeverHidesWithoutATray_data()
    {
        QTest::addColumn<QVariant>("exitType");
        QTest::addColumn<bool>("tray");
        QTest::addColumn<CloseRule::Action>("action");
        using A = CloseRule::Action;
        QTest::newRow("undecided, tray") << QVariant() << true << A::Ask;
        QTest::newRow("undecided, no tray") << QVariant() << false << A::Ask;
        QTest::newRow("exit, tray") << QVariant(QStringLiteral("exit")) << true << A::Quit;
        QTest::newRow("exit, no tray") << QVariant(QStringLiteral("exit")) << false << A::Quit;
        QTest::newRow("tray, tray") << QVariant(QStringLiteral("tray")) << true << A::HideToTray;
        QTest::newRow("tray, no tray") << QVariant(QStringLiteral("tray")) << false << A::Minimize;
        // The setting's other values hide, as "tray" does.
        QTest::newRow("empty value, tray") << QVariant(QStringLiteral("")) << true << A::HideToTray;
        QTest::newRow("other value, no tray") << QVariant(QStringLiteral("Exit")) << false << A::Minimize;
    }

    void closeNeverHidesWithoutATray()
    {
        QFETCH(QVariant, exitType);
        QFETCH(bool, tray);
        QFETCH(CloseRule::Action, action);
        QCOMPARE(CloseRule::decide(exitType, tray), action);
    }
};

QTEST_GUILESS_MAIN(TestCloseRule)
#include "tst_closerule.moc"
