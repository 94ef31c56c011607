#include "meterprobe.h"
#include "standinportal.h"
#include "testmainframe.h"
#include "testsupport.h"

#include "net/networkcookie.h"
#include "net/portal.h"
#include "shell/gameopener.h"
#include "shell/gamesessions.h"
#include "shell/gametabmenu.h"
#include "shell/soundfocus.h"
#include "web/splitview.h"
#include "web/tabcontainer.h"
#include "web/tabwidget.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

namespace {
constexpr int kWindowMs = 2500;
const QString kSmallId = QStringLiteral("9002");
const QString kSmallName = QStringLiteral("korvo_xh1");
}

// The split view in the real main window against the stand-in portal: two
// accounts' games side by side, each in its own profile, both playing; the
// pane clicked in is the tab in front; the split is kept with the games and
// given back to the strip.
class TestSplitView final : public QObject
{
    Q_OBJECT

private:
    TestAppDir m_dir;
    StandInPortal m_portal{m_dir.path()};

    static QString meter() { return Portal::portalRoot() + QStringLiteral("/static/meter.html"); }

    static void giveCookie(QWebEngineCookieStore *store, const QString &name)
    {
        NetworkCookie(store).setCookie(QStringLiteral("user_name"), name, QStringLiteral("/"), 0,
                                       Portal::cookieDomain(), false, false);
    }

    // A game of the main account, then one of a small account in its own profile.
    static QList<QWidget *> openTwoAccounts(TestMainFrame &frame)
    {
        TabWidget *tabs = frame.tabWidget();
        giveCookie(WebEngineProfile::profileFor(TabContext::mainProfileFlag())->cookieStore(), QStringLiteral("korvo"));
        giveCookie(WebEngineProfile::profileFor(kSmallId)->cookieStore(), kSmallName);
        QList<QWidget *> games;
        TabContext main = tabs->currentContext().asMainAccount(QStringLiteral("korvo"));
        main.serverId = QStringLiteral("101");
        tabs->createGamePlayTab(QUrl(meter()), main);
        games.append(tabs->currentWidget());
        Identity small;
        small.userName = kSmallName;
        small.userId = kSmallId;
        tabs->createGamePlayTab(QUrl(meter()), main.asSmallAccount(small));
        games.append(tabs->currentWidget());
        return games;
    }

    static QWebEnginePage *pageOf(QWidget *tab) { return tab->findChild<WebView *>()->page(); }

    static QString cookieOf(QWidget *tab)
    {
        QString seen;
        pageOf(tab)->runJavaScript(QStringLiteral("document.cookie"),
                                   [&seen](const QVariant &value) { seen = value.toString(); });
        if (!QTest::qWaitFor([&seen] { return !seen.isNull(); }, 10000))
            return QStringLiteral("(no answer)");
        return seen;
    }

    static QAction *menuAction(TestMainFrame &frame, QWidget *tab, const QString &name)
    {
        TabWidget *tabs = frame.tabWidget();
        GameTabMenu *menu = frame.gameSessions()->tabMenu();
        menu->showMenu(tabs->tabBar()->tabRect(tabs->indexOf(tab)).center());
        return menu->menu() ? menu->menu()->findChild<QAction *>(name) : nullptr;
    }

    // A left-button drag along the strip's own events, as the X server delivers them.
    static void drag(QTabBar *bar, const QPoint &from, const QPoint &to)
    {
        const auto send = [bar](QEvent::Type type, const QPoint &at, Qt::MouseButtons held) {
            QMouseEvent event(type, at, bar->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(bar, &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

private slots:
    void initTestCase() { QVERIFY(m_portal.start()); }

    void twoAccountsPlaySideBySide()
    {
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        TabWidget *tabs = frame.tabWidget();
        const QList<QWidget *> games = openTwoAccounts(frame);

        // Into the split by the tab's menu, the second by a drag onto the page.
        QAction *join = menuAction(frame, games.at(0), QStringLiteral("gameTabMenu_SplitAction"));
        QVERIFY(join);
        join->trigger();
        SplitView *split = tabs->splitView();
        QVERIFY(split);
        QCOMPARE(tabs->currentWidget(), split);
        QTabBar *bar = tabs->tabBar();
        const QPoint tab = bar->tabRect(tabs->indexOf(games.at(1))).center();
        drag(bar, tab, tab + QPoint(0, bar->height() / 2));
        QCOMPARE(split->panes().size(), 1);
        drag(bar, tab, QPoint(tab.x(), tabs->height() / 2));
        QCOMPARE(split->panes(), games);
        QCOMPARE(tabs->count(), 2);

        // Half as wide, the panes' bars show their buttons' icons, the words in tool tips.
        const auto refresh = [](QWidget *game) {
            return game->findChild<QPushButton *>(QStringLiteral("hostBar_RefreshBtn"));
        };
        QTRY_VERIFY(refresh(games.at(1))->text().isEmpty());
        QCOMPARE(refresh(games.at(1))->toolTip(), QStringLiteral("刷新"));

        // Both shown and playing, each as its own account.
        QVERIFY(games.at(0)->isVisible() && games.at(1)->isVisible());
        QVERIFY(MeterProbe::waitUntilCounting(pageOf(games.at(0))));
        QVERIFY(MeterProbe::waitUntilCounting(pageOf(games.at(1))));
        const QList<MeterProbe::Rates> rates =
            MeterProbe::measure({pageOf(games.at(0)), pageOf(games.at(1))}, kWindowMs);
        qInfo("panes: %.0f/%.0f timers/s, %.0f/%.0f frames/s", rates.at(0).timers, rates.at(1).timers,
              rates.at(0).frames, rates.at(1).frames);
        for (const MeterProbe::Rates &pane : rates)
            QVERIFY(pane.timers > 10 && pane.frames > 5);
        QVERIFY(cookieOf(games.at(0)).contains(QStringLiteral("user_name=korvo;"))
                || cookieOf(games.at(0)).endsWith(QStringLiteral("user_name=korvo")));
        QVERIFY(cookieOf(games.at(1)).contains(QStringLiteral("user_name=") + kSmallName));

        // A click in a pane makes it the tab in front, for the context and the sound.
        for (QWidget *game : games) {
            QWidget *target = game->findChild<WebView *>()->focusProxy();
            QTest::mouseClick(target ? target : game, Qt::LeftButton, {}, QPoint(20, 20));
            QCOMPARE(split->activePane(), game);
            QCOMPARE(tabs->currentTab(), game);
            QCOMPARE(tabs->currentContext().profileFlag, TabContainer::contextOf(game).profileFlag);
            QCOMPARE(frame.findChild<SoundFocus *>()->focusedTab(), game);
        }

        // Kept with the games; closing the split gives them back to the strip.
        const QList<GameTab> kept = GameOpener::openGames(tabs);
        QCOMPARE(kept.size(), 2);
        QVERIFY(kept.at(0).inSplit && kept.at(1).inSplit);
        QCOMPARE(kept.at(1).account, kSmallName);
        tabs->closeTab(tabs->indexOf(split));
        QTRY_VERIFY(!tabs->splitView());
        QCOMPARE(tabs->count(), 3);
        QVERIFY(tabs->indexOf(games.at(0)) > 0 && tabs->indexOf(games.at(1)) > 0);
        QVERIFY(!GameOpener::openGames(tabs).at(0).inSplit);
        // Full width again, the words are back.
        tabs->setCurrentWidget(games.at(1));
        QTRY_COMPARE(refresh(games.at(1))->text(), QStringLiteral("刷新"));
        QVERIFY(refresh(games.at(1))->toolTip().isEmpty());
    }
};

KORVO_METER_TEST_MAIN(TestSplitView)

#include "tst_splitview.moc"
