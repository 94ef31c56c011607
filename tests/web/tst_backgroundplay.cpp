#include "meterprobe.h"
#include "standinportal.h"
#include "testmainframe.h"
#include "testsupport.h"

#include "account/loginform.h"
#include "app/settings.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "shell/bossmute.h"
#include "shell/gamesessions.h"
#include "shell/gametabmenu.h"
#include "shell/backgroundplay.h"
#include "web/tabwidget.h"
#include "web/webview.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTabBar>
#include <QtTest>

namespace {
// Shown pages counted in one window run alike; a margin for a busy machine.
constexpr double kSameWindow = 0.9;
// Against a window measured earlier, the machine's load may have changed.
constexpr double kEarlierWindow = 0.7;
// A sleeping page runs at most this share of its front rate; reading it
// wakes it, and the round trip counts a few of its ticks.
constexpr double kAsleep = 0.3;
constexpr int kWindowMs = 2500;
}

// Games behind other tabs and behind a hidden window, in the real main
// window against the stand-in portal's meter page.
class TestBackgroundPlay final : public QObject
{
    Q_OBJECT

private:
    TestAppDir m_dir;
    StandInPortal m_portal{m_dir.path()};

    static QString meterAddress(const QString &root) { return root + QStringLiteral("/static/meter.html"); }
    static QWebEnginePage *pageOf(WebView *view) { return view ? view->page() : nullptr; }

    bool logIn(TestMainFrame &frame)
    {
        const QJsonObject login = m_portal.control({{QStringLiteral("op"), QStringLiteral("login")},
                                                    {QStringLiteral("user_name"), QStringLiteral("korvo")}});
        if (!login.value(QStringLiteral("ok")).toBool())
            return false;
        for (const QString &key : {QStringLiteral("user_name"), QStringLiteral("user_id"), QStringLiteral("user_token")})
            frame.loginForm()->cookieJar()->setCookie(key, login.value(key).toString(), QStringLiteral("/"), 0,
                                                      Portal::cookieDomain(), false, false);
        return frame.tabWidget()->checkLogin();
    }

    // A game of the kind in the background, the meter on its page.
    static WebView *openGame(TabWidget *tabs, const QString &kind)
    {
        if (kind == QLatin1String("play"))
            return tabs->createGamePlayTab(QUrl(meterAddress(Portal::portalRoot())));
        WebView *view = tabs->createH5HostTab(QStringLiteral("snake"), QStringLiteral("贪吃蛇大作战"));
        if (view)
            view->load(QUrl(meterAddress(Portal::h5Root())));
        return view;
    }

private slots:
    void initTestCase() { QVERIFY(m_portal.start()); }

    void backgroundGameKeepsItsPace_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("game play") << QStringLiteral("play");
        QTest::newRow("h5") << QStringLiteral("h5");
    }

    void backgroundGameKeepsItsPace()
    {
        QFETCH(QString, kind);
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(logIn(frame));
        TabWidget *tabs = frame.tabWidget();
        QWebEnginePage *page = pageOf(tabs->createWebTab(QUrl(meterAddress(Portal::portalRoot()))));
        QWidget *pageTab = tabs->currentWidget();
        QWebEnginePage *back = pageOf(openGame(tabs, kind));
        QWidget *backTab = tabs->currentWidget();
        QWebEnginePage *front = pageOf(tabs->createGamePlayTab(QUrl(meterAddress(Portal::portalRoot()))));
        QVERIFY(page && back && front);
        QVERIFY(MeterProbe::waitUntilCounting(front));
        QVERIFY(MeterProbe::waitUntilCounting(back));

        // Behind the game in front: shown, covered, running alike; the page sleeps.
        QVERIFY(backTab->isVisible());
        QVERIFY(!pageTab->isVisible());
        QList<MeterProbe::Rates> rates = MeterProbe::measure({front, back}, kWindowMs);
        const MeterProbe::Rates shown = rates.at(0);
        qInfo("front %.0f timers/s %.0f frames/s, behind %.0f timers/s %.0f frames/s", shown.timers, shown.frames,
              rates.at(1).timers, rates.at(1).frames);
        QVERIFY(shown.timers > 10 && shown.frames > 5);
        QVERIFY2(rates.at(1).timers >= kSameWindow * shown.timers, qPrintable(QString::number(rates.at(1).timers)));
        QVERIFY2(rates.at(1).frames >= kSameWindow * shown.frames, qPrintable(QString::number(rates.at(1).frames)));

        // Out of sight: timers go on, the boss key's way and the taskbar's.
        frame.showMinimized();
        QTRY_VERIFY(frame.isMinimized());
        rates = MeterProbe::measure({back}, kWindowMs);
        qInfo("minimized: behind %.0f timers/s", rates.at(0).timers);
        QVERIFY2(rates.at(0).timers >= kEarlierWindow * shown.timers, qPrintable(QString::number(rates.at(0).timers)));
        frame.showNormal();
        frame.bossMute()->hideWindow();
        QTRY_VERIFY(!frame.isVisible());
        rates = MeterProbe::measure({back}, kWindowMs);
        qInfo("boss key: behind %.0f timers/s", rates.at(0).timers);
        QVERIFY2(rates.at(0).timers >= kEarlierWindow * shown.timers, qPrintable(QString::number(rates.at(0).timers)));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        // Asleep by the setting: hidden and frozen, woken to be read afterwards.
        const MeterProbe::Sample before = MeterProbe::sample(back);
        const MeterProbe::Sample frontBefore = MeterProbe::sample(front);
        frame.settings()->setValue(QStringLiteral("extras/backgroundplay"), QStringLiteral("no"));
        QVERIFY(!backTab->isVisible());
        QTest::qWait(kWindowMs);
        const MeterProbe::Sample frontAfter = MeterProbe::sample(front);
        frame.settings()->setValue(QStringLiteral("extras/backgroundplay"), QStringLiteral("yes"));
        const MeterProbe::Sample after = MeterProbe::sample(back);
        const MeterProbe::Rates asleep = MeterProbe::between(before, after);
        const MeterProbe::Rates awake = MeterProbe::between(frontBefore, frontAfter);
        qInfo("asleep: %.0f timers/s %.0f frames/s (front %.0f, %.0f)", asleep.timers, asleep.frames, awake.timers,
              awake.frames);
        QVERIFY(after.isValid());
        QVERIFY2(asleep.timers <= kAsleep * awake.timers, qPrintable(QString::number(asleep.timers)));
        QVERIFY2(asleep.frames <= kAsleep * awake.frames, qPrintable(QString::number(asleep.frames)));
    }

    // The tab's own menu overrides the setting both ways.
    void tabMenuOverridesTheSetting()
    {
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        TabWidget *tabs = frame.tabWidget();
        QVERIFY(tabs->createGamePlayTab(QUrl(meterAddress(Portal::portalRoot()))));
        QWidget *game = tabs->currentWidget();
        QVERIFY(tabs->createGamePlayTab(QUrl(meterAddress(Portal::portalRoot()))));
        const auto chooseInMenu = [&](bool on) {
            GameTabMenu *menu = frame.gameSessions()->tabMenu();
            menu->showMenu(tabs->tabBar()->tabRect(tabs->indexOf(game)).center());
            auto *action = menu->menu() ? menu->menu()->findChild<QAction *>(
                               QStringLiteral("gameTabMenu_BackgroundPlayAction"))
                                        : nullptr;
            QVERIFY(action);
            QCOMPARE(action->isChecked(), !on);
            action->setChecked(on);
            menu->menu()->close();
        };
        frame.settings()->setValue(QStringLiteral("extras/backgroundplay"), QStringLiteral("no"));
        QVERIFY(!game->isVisible());
        chooseInMenu(true);
        QVERIFY(game->isVisible());
        frame.settings()->setValue(QStringLiteral("extras/backgroundplay"), QStringLiteral("yes"));
        chooseInMenu(false);
        QVERIFY(!game->isVisible());
    }

    // Nothing of a covered game takes what is meant for the one in front.
    void coveredGameTakesNoInput()
    {
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        TabWidget *tabs = frame.tabWidget();
        WebView *covered = tabs->createGamePlayTab(QUrl(meterAddress(Portal::portalRoot())));
        QWidget *coveredTab = tabs->currentWidget();
        WebView *shown = tabs->createGamePlayTab(QUrl(meterAddress(Portal::portalRoot())));
        QVERIFY(covered && shown);
        QVERIFY(MeterProbe::waitUntilCounting(shown->page()));
        QVERIFY(coveredTab->isVisible());
        // No point of the page area belongs to the covered tab (the window's
        // own badge overlaps a corner), the middle to the tab in front.
        QWidget *front = tabs->currentWidget();
        for (const QPoint &point : {front->rect().topLeft(), front->rect().center(), front->rect().bottomRight(),
                                    QPoint(front->width() / 2, 2), QPoint(front->width() / 2, front->height() - 2)}) {
            QWidget *hit = QApplication::widgetAt(front->mapToGlobal(point));
            QVERIFY(hit);
            QVERIFY(!coveredTab->isAncestorOf(hit));
        }
        QVERIFY(front->isAncestorOf(QApplication::widgetAt(front->mapToGlobal(front->rect().center()))));
        // A covered page asking for the keyboard hands it back.
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        shown->setFocus();
        covered->setFocus();
        QVERIFY(QApplication::focusWidget());
        QVERIFY(!coveredTab->isAncestorOf(QApplication::focusWidget()));
    }
};

KORVO_METER_TEST_MAIN(TestBackgroundPlay)

#include "tst_backgroundplay.moc"
