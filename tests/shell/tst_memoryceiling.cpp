#include "account/loginform.h"
#include "app/settings.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "shell/memoryceiling.h"
#include "shell/statusbar.h"
#include "standinportal.h"
#include "testmainframe.h"
#include "testsupport.h"
#include "web/tabwidget.h"
#include "web/webview.h"

#include <QSignalSpy>
#include <QtTest>

using State = QWebEnginePage::LifecycleState;

// The player's memory ceiling in the real main window, against the stand-in
// portal: past it, the background web page goes, the game stays, and the
// page comes back when its tab does.
class TestMemoryCeiling final : public QObject
{
    Q_OBJECT

private:
    TestAppDir m_dir;
    StandInPortal m_portal{m_dir.path()};

    static QUrl page() { return QUrl(Portal::portalRoot() + QStringLiteral("/static/meter.html")); }
    static bool loaded(QWebEnginePage *page)
    {
        QSignalSpy finished(page, &QWebEnginePage::loadFinished);
        return finished.wait(30000) && finished.first().first().toBool();
    }

private slots:
    void initTestCase() { QVERIFY(m_portal.start()); }

    void backgroundPageIsDiscardedAndComesBack()
    {
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        // Web tabs open for a logged-in player only.
        QVERIFY(m_portal.logIn(frame.loginForm()->cookieJar(), QStringLiteral("korvo")));
        QVERIFY(frame.tabWidget()->checkLogin());
        TabWidget *tabs = frame.tabWidget();
        auto *ceiling = tabs->findChild<MemoryCeiling *>();
        QVERIFY(ceiling);
        // Off, nothing is even read.
        QVERIFY(!ceiling->isWatching());

        // The oldest web page, a game, a web page in front.
        QWebEnginePage *old = tabs->createWebTab(page())->page();
        QWidget *oldTab = tabs->currentWidget();
        QVERIFY(loaded(old));
        const QString oldTitle = old->title();
        QWebEnginePage *game = tabs->createGamePlayTab(page())->page();
        QVERIFY(loaded(game));
        QWebEnginePage *front = tabs->createWebTab(page())->page();
        QVERIFY(loaded(front));

        QSignalSpy checked(ceiling, &MemoryCeiling::signalChecked);
        QSignalSpy discarded(ceiling, &MemoryCeiling::signalDiscarded);
        ceiling->setInterval(50);
        frame.settings()->setMemoryCeiling(true, 1);
        QVERIFY(ceiling->isWatching());
        QTRY_COMPARE_WITH_TIMEOUT(old->lifecycleState(), State::Discarded, 30000);
        QCOMPARE(discarded.count(), 1);
        QCOMPARE(discarded.first().first().value<QWidget *>(), oldTab);
        // A few more readings, all past the ceiling: nothing else may go.
        const int seen = checked.count();
        QTRY_VERIFY_WITH_TIMEOUT(checked.count() >= seen + 3, 30000);
        QVERIFY(checked.last().first().toLongLong() > 1024);
        QCOMPARE(discarded.count(), 1);
        QCOMPARE(game->lifecycleState(), State::Active);
        QCOMPARE(front->lifecycleState(), State::Active);
        auto *bar = frame.findChild<StatusBar *>();
        QVERIFY(bar);
        QCOMPARE(bar->notice(), QStringLiteral("内存超过上限，已释放网页：") + oldTitle);
        screenShot(QStringLiteral("memoryceiling-statusbar"));

        // Switched off while reading: nothing more is read.
        frame.settings()->setMemoryCeiling(false, 1);
        QVERIFY(!ceiling->isWatching());

        // In front again, the page loads anew.
        QSignalSpy again(old, &QWebEnginePage::loadFinished);
        tabs->setCurrentWidget(oldTab);
        QTRY_COMPARE_WITH_TIMEOUT(again.count(), 1, 30000);
        QVERIFY(again.first().first().toBool());
        QCOMPARE(old->lifecycleState(), State::Active);
        QCOMPARE(old->title(), oldTitle);
    }
};

QTEST_MAIN(TestMemoryCeiling)
#include "tst_memoryceiling.moc"
