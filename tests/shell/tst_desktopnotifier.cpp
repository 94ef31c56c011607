#include "app/desktopnotifier.h"
#include "web/tabcrashguard.h"
#include "testdesktop.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

#include <signal.h>

// Desktop notifications for a hidden window, sent to the test desktop's
// notification server (support/traydesktop.cpp).
class TestDesktopNotifier final : public QObject
{
    Q_OBJECT

private slots:
    void onlyAWindowOutOfSightIsTold()
    {
        QWidget window;
        window.resize(300, 200);
        DesktopNotifier notifier(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const uint before = notifications();

        QVERIFY(!notifier.notify(NotifyRule::Event::UpdateFound));
        window.hide();
        QVERIFY(notifier.notify(NotifyRule::Event::UpdateFound));
        QTRY_COMPARE(notifications(), before + 1);
        const QStringList update = lastNotification();
        QCOMPARE(update.value(0), QStringLiteral("Korvo游戏盒"));
        QCOMPARE(update.value(1), QStringLiteral("发现新版本"));

        window.showMinimized();
        QTRY_VERIFY(window.isMinimized());
        QVERIFY(notifier.notify(NotifyRule::Event::SignedOutElsewhere, QStringLiteral("账号在别处登录")));
        QTRY_COMPARE(notifications(), before + 2);
        QCOMPARE(lastNotification().mid(1), (QStringList{QStringLiteral("账号已退出"), QStringLiteral("账号在别处登录")}));
    }

    // A real render process, killed while the window is hidden.
    void pageThatComesBackWhileHiddenIsTold()
    {
        QWidget window;
        window.resize(400, 300);
        auto *view = new QWebEngineView(&window);
        (new QVBoxLayout(&window))->addWidget(view);
        DesktopNotifier notifier(&window);
        new TabCrashGuard(view, nullptr, &notifier);
        window.show();
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        view->setHtml(QStringLiteral("<title>仙侠</title><p>game</p>"));
        QVERIFY(loaded.wait(15000));
        qint64 pid = 0;
        QTRY_VERIFY_WITH_TIMEOUT((pid = view->page()->renderProcessPid()) > 0, 15000);
        window.hide();
        const uint before = notifications();

        QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
        QTRY_COMPARE_WITH_TIMEOUT(notifications(), before + 1, 15000);
        QCOMPARE(lastNotification().mid(1),
                 (QStringList{QStringLiteral("页面已恢复"), QStringLiteral("“仙侠”崩溃后已重新加载。")}));
    }
};

QTEST_MAIN(TestDesktopNotifier)
#include "tst_desktopnotifier.moc"
