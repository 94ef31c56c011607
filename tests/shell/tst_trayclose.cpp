#include "dialogs/boxsettingform.h"
#include "dialogs/closesettingform.h"
#include "app/settings.h"
#include "net/threadcheckaccount.h"
#include "web/backgroundtasks.h"
#include "shell/trayicon.h"
#include "testmainframe.h"
#include "testdesktop.h"
#include "testsupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
bool trayRegistered()
{
    const QDBusReply<bool> reply = QDBusConnection::sessionBus().call(desktopCall("Registered"));
    return reply.isValid() && reply.value();
}

// A click on the tray icon as the panel makes it, which comes back to this
// process later. Not for QTRY_VERIFY, which evaluates its condition more than once.
bool clickTray()
{
    const QDBusReply<bool> reply = QDBusConnection::sessionBus().call(desktopCall("Click"));
    return reply.isValid() && reply.value();
}

void closeByButton(MainFrame &frame)
{
    QTest::mouseClick(frame.findChild<QPushButton *>(QStringLiteral("closeBtn")), Qt::LeftButton);
}
}

// Closing on a desktop without a tray and on one with a tray (ctest runs this
// program on both, each on a session bus of its own).
class TestTrayClose final : public QObject
{
    Q_OBJECT

private:
    bool m_tray = false;

private slots:
    void initTestCase()
    {
        m_tray = qgetenv("KORVO_TEST_TRAY") == "tray";
        // The desktop the test was started on is the one the client sees.
        QCOMPARE(TrayIcon::available(), m_tray);
    }

    void withoutTrayCloseNeverLeavesAnInvisibleWindow()
    {
        if (m_tray)
            QSKIP("a desktop without a tray only");
        TestAppDir dir;
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        // The first close asks, without offering the tray.
        closeByButton(frame);
        auto *dialog = frame.findChild<CloseSettingForm *>();
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(!dialog->findChild<QRadioButton *>(QStringLiteral("CloseChooseHideRadio"))->isVisible());
        QVERIFY(dialog->findChild<QRadioButton *>(QStringLiteral("CloseChooseExitRadio"))->isChecked());
        dialog->close();

        // A "tray" saved on another desktop minimizes here.
        frame.settings()->setValue(QStringLiteral("common/exittype"), QStringLiteral("tray"));
        closeByButton(frame);
        QVERIFY(frame.isVisible());
        QVERIFY(frame.isMinimized());
        QCOMPARE(frame.quitRequests, 0);

        frame.showSettingWindow();
        auto *settings = frame.findChild<BoxSettingForm *>();
        QVERIFY(settings && settings->isVisible());
        QVERIFY(settings->findChild<QRadioButton *>(QStringLiteral("CloseChooseHideRadio"))->isHidden());
    }

    void withTrayCloseHidesOnceAnnouncedAndOneClickToggles()
    {
        if (!m_tray)
            QSKIP("a desktop with a tray only");
        TestAppDir dir;
        TestMainFrame frame;
        frame.settings()->setValue(QStringLiteral("common/exittype"), QStringLiteral("tray"));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const uint before = notifications();

        closeByButton(frame);
        QVERIFY(!frame.isVisible());
        QTRY_COMPARE(notifications(), before + 1);

        // The icon registers with the panel after the event loop ran.
        QTRY_VERIFY(trayRegistered());
        QVERIFY(clickTray());
        QTRY_VERIFY(frame.isVisible());
        QVERIFY(!frame.isMinimized());
        QVERIFY(clickTray());
        QTRY_VERIFY(!frame.isVisible());
        QVERIFY(clickTray());
        QTRY_VERIFY(frame.isVisible());

        // Hiding again is not announced again.
        closeByButton(frame);
        QVERIFY(!frame.isVisible());
        QVERIFY(clickTray());
        QTRY_VERIFY(frame.isVisible());
        QCOMPARE(notifications(), before + 1);

        // In the tray, the account check's verdict is told on the desktop.
        closeByButton(frame);
        emit frame.services().tasks->accountCheck()->signalLoginError(1, QStringLiteral("账号在别处登录"));
        QTRY_COMPARE(notifications(), before + 2);
        QCOMPARE(lastNotification().value(1), QStringLiteral("账号已退出"));
    }
};

QTEST_MAIN(TestTrayClose)
#include "tst_trayclose.moc"
