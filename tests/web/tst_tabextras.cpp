#include "account/loginform.h"
#include "net/portal.h"
#include "app/processsampler.h"
#include "web/tabcrashguard.h"
#include "tabfixture.h"
#include "dialogs/tabresources.h"
#include "app/settings.h"
#include "web/tabwidget.h"
#include "testmainframe.h"
#include "web/webview.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QToolTip>
#include <QtTest>

#include <signal.h>

// Tabs that survive their render process and pages that sleep in the
// background, with the real web engine against the stand-in portal.
class TestTabExtras final : public QObject
{
    Q_OBJECT

private:
    static qint64 livePid(WebView *view)
    {
        qint64 pid = 0;
        const bool live = QTest::qWaitFor([&] { return (pid = view->page()->renderProcessPid()) > 0; }, 15000);
        return live ? pid : 0;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fixture.start(), "the stand-in portal did not start");
        m_tabs = m_fixture.tabs();
        m_tabs->resize(1200, 700);
    }

    void killedGameTabShowsTheNoticeAndComesBackByItself()
    {
        QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
        m_fixture.changeContext([](TabContext &context) {
            context.host = QStringLiteral("xianxia");
            context.serverId = QStringLiteral("102");
        });
        WebView *view = m_tabs->createGamePlayTab(QUrl(Portal::portalRoot() + QStringLiteral("/game_play/102.html")));
        QVERIFY(view);
        QWidget *tab = m_tabs->currentWidget();
        const int tabs = m_tabs->count();
        auto *guard = view->findChild<TabCrashGuard *>();
        QVERIFY(guard);

        QSignalSpy loaded(view, &WebView::loadFinished);
        QVERIFY(loaded.wait(15000));
        const QUrl shown = view->url();
        const qint64 first = livePid(view);
        QVERIFY(first > 0);
        QCOMPARE(::kill(pid_t(first), SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(guard->notice() && guard->notice()->isVisible(), 15000);
        QCOMPARE(guard->notice()->findChild<QLabel *>(QStringLiteral("crashTitle"))->text(), QStringLiteral("页面已崩溃"));
        QVERIFY(guard->notice()->findChild<QLabel *>(QStringLiteral("crashReason"))->text().contains(QStringLiteral("被终止")));
        QCOMPARE(guard->notice()->geometry(), view->rect());
        QVERIFY(guard->reloadPending());
        screenShot(QStringLiteral("crash-notice"));

        QTRY_VERIFY_WITH_TIMEOUT(!guard->notice()->isVisible(), 15000);
        qint64 second = 0;
        QTRY_VERIFY_WITH_TIMEOUT((second = view->page()->renderProcessPid()) > 0 && second != first, 15000);
        // The tab is the same tab, with the same account and server.
        QCOMPARE(m_tabs->count(), tabs);
        QCOMPARE(m_tabs->currentWidget(), tab);
        QCOMPARE(tab->property("serverId").toString(), QStringLiteral("102"));
        QCOMPARE(tab->property("host").toString(), QStringLiteral("xianxia"));
        QCOMPARE(tab->property("userName").toString(), QStringLiteral("korvo"));
        QTRY_COMPARE_WITH_TIMEOUT(view->url(), shown, 15000);

        // Again within the minute: the notice waits for the button.
        QCOMPARE(::kill(pid_t(second), SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(guard->notice()->isVisible(), 15000);
        QVERIFY(!guard->reloadPending());
        QVERIFY(guard->notice()->findChild<QLabel *>(QStringLiteral("crashHint"))->text().contains(QStringLiteral("点击")));
        QTest::mouseClick(guard->notice()->findChild<QPushButton *>(QStringLiteral("crashReloadButton")), Qt::LeftButton);
        QVERIFY(!guard->notice()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(view->page()->renderProcessPid() > 0 && view->page()->renderProcessPid() != second,
                                 15000);
        m_fixture.logOut();
    }

    void switchedOffCrashedPagesAreLeftAlone()
    {
        TestMainFrame frame;
        frame.settings()->setValue(QStringLiteral("extras/crashreload"), QStringLiteral("no"));
        frame.show();
        WebView *view = frame.tabWidget()->createGamePlayTab(
            QUrl(Portal::portalRoot() + QStringLiteral("/game_play/102.html")));
        const qint64 pid = livePid(view);
        QVERIFY(pid > 0);
        QSignalSpy ended(view->page(), &QWebEnginePage::renderProcessTerminated);
        QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
        QVERIFY(ended.wait(15000));
        auto *guard = view->findChild<TabCrashGuard *>();
        QVERIFY(!guard->notice());
        QVERIFY(!guard->reloadPending());
    }

    void backgroundWebPagesFreezeAndWakeGamesKeepRunning()
    {
        QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
        TabResources resources(m_tabs, nullptr);
        resources.setFreezeAfter(200);
        WebView *page = m_tabs->createWebTab(QUrl(Portal::portalRoot() + QStringLiteral("/jfsc/")));
        QVERIFY(page);
        QWidget *pageTab = m_tabs->currentWidget();
        WebView *game = m_tabs->createHostTab(QStringLiteral("xianxia"));
        QVERIFY(game);
        QWidget *gameTab = m_tabs->currentWidget();
        m_tabs->setCurrentIndex(0);
        QTRY_COMPARE_WITH_TIMEOUT(page->page()->lifecycleState(), QWebEnginePage::LifecycleState::Frozen, 15000);
        QCOMPARE(game->page()->lifecycleState(), QWebEnginePage::LifecycleState::Active);

        m_tabs->setCurrentWidget(pageTab);
        QCOMPARE(page->page()->lifecycleState(), QWebEnginePage::LifecycleState::Active);
        // Shown again before its time: the tab that just left does not freeze while back in front.
        m_tabs->setCurrentWidget(gameTab);
        m_tabs->setCurrentWidget(pageTab);
        QVERIFY(!pageTab->findChild<QTimer *>(QStringLiteral("freezeTimer"))->isActive());
        m_fixture.logOut();
    }

    void toolTipNamesTheAccountAndTheMemory()
    {
        QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
        TabResources resources(m_tabs, nullptr);
        WebView *game = m_tabs->createHostTab(QStringLiteral("xianxia"), QStringLiteral("仙侠传说"));
        QVERIFY(game);
        const int index = m_tabs->currentIndex();
        const qint64 pid = livePid(game);
        QVERIFY(pid > 0);
        QSignalSpy sampled(resources.sampler(), &ProcessSampler::sampled);
        resources.sampleAll();
        QVERIFY(sampled.wait());
        const QString tip = resources.toolTipFor(index);
        QVERIFY2(tip.startsWith(m_tabs->tabToolTip(index)), qPrintable(tip));
        QVERIFY2(tip.contains(QStringLiteral("\n账号:korvo")), qPrintable(tip));
        QVERIFY2(tip.contains(QStringLiteral(" MB")), qPrintable(tip));
        // Hovering the tab shows that text.
        QTabBar *bar = m_tabs->tabBar();
        const QPoint at = bar->tabRect(index).center();
        QHelpEvent hover(QEvent::ToolTip, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &hover);
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible() && QToolTip::text().contains(QStringLiteral("\n内存:")), 5000);
        m_fixture.logOut();
    }

private:
    TabFixture m_fixture;
    TabWidget *m_tabs = nullptr;
};

QTEST_MAIN(TestTabExtras)
#include "tst_tabextras.moc"
