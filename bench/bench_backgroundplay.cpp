// Games played at once: the main account and three (or seven) small
// accounts, each in its own profile, each a game tab on the stand-in portal's
// meter page, the last opened in front. Prints, per phase (window shown;
// hidden by the boss key; the first four in a 2x2 split view; shown with
// "后台游戏保持运行" off), each game's timer and frame rate, the PSS and CPU
// of the whole process tree, and the time from a click on a tab (or a pane)
// to that page's first new frame. Run under Xvfb:
//   build/bin/bench_backgroundplay [seconds per window, default 10] [accounts, 4 or 8]
#include "meterprobe.h"
#include "standinportal.h"
#include "testsupport.h"

#include "app/processfamily.h"
#include "app/processusage.h"
#include "app/settings.h"
#include "net/portal.h"
#include "shell/bossmute.h"
#include "shell/mainframe.h"
#include "web/splitview.h"
#include "web/tabwidget.h"
#include "web/webview.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QTabBar>
#include <QTest>

#include <cstdio>

namespace {
struct Game {
    QString account;
    QWidget *tab = nullptr;
    QWebEnginePage *page = nullptr;
};

struct TreeUsage {
    qint64 pssKiB = 0;
    qint64 ticks = 0;
};

TreeUsage treeUsage()
{
    TreeUsage usage;
    for (qint64 pid : ProcessFamily::of(QCoreApplication::applicationPid())) {
        const ProcessUsage::Sample sample = ProcessUsage::read(pid, 0);
        usage.pssKiB += qMax<qint64>(sample.pssKiB, 0);
        usage.ticks += qMax<qint64>(sample.cpuTicks, 0);
    }
    return usage;
}

void phase(const char *name, const QList<Game> &games, QWidget *front, int windowMs)
{
    QList<QWebEnginePage *> pages;
    for (const Game &game : games)
        pages.append(game.page);
    const TreeUsage before = treeUsage();
    QElapsedTimer clock;
    clock.start();
    const QList<MeterProbe::Rates> rates = MeterProbe::measure(pages, windowMs);
    const TreeUsage after = treeUsage();
    const double cpu = ProcessUsage::cpuPercent(before.ticks, after.ticks, clock.elapsed(),
                                                ProcessUsage::ticksPerSecond());
    std::printf("\n%s\n", name);
    for (int i = 0; i < games.size(); ++i) {
        if (rates.at(i).timers < 0) {
            std::printf("  %-10s %-6s frozen, no answer\n", qPrintable(games.at(i).account),
                        games.at(i).tab == front ? "front" : "behind");
            continue;
        }
        const QWidget *pane = games.at(i).tab->parentWidget();
        const bool split = pane && qobject_cast<const SplitView *>(pane->parentWidget());
        std::printf("  %-10s %-6s timers %6.1f/s  frames %5.1f/s\n", qPrintable(games.at(i).account),
                    games.at(i).tab == front ? "front" : split ? "pane" : "behind", rates.at(i).timers,
                    rates.at(i).frames);
    }
    std::printf("  tree PSS %.0f MiB, CPU %.0f %% of one core\n", after.pssKiB / 1024.0, cpu);
}

// A click on each background game's tab in turn: the time to its first frame after the click.
void switches(TabWidget *tabs, const QList<Game> &games)
{
    QList<double> times;
    for (int round = 0; round < 3; ++round) {
        for (const Game &game : games) {
            if (game.tab == tabs->currentTab())
                continue;
            QTabBar *bar = tabs->tabBar();
            const double clicked = double(QDateTime::currentMSecsSinceEpoch());
            SplitView *split = tabs->splitView();
            // In the split, a click on the pane's title strip.
            if (split && split->contains(game.tab))
                QTest::mouseClick(game.tab->parentWidget(), Qt::LeftButton, {}, QPoint(8, 8));
            else
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tabs->indexOf(game.tab)).center());
            double frame = -1;
            if (QTest::qWaitFor([&] { return (frame = MeterProbe::firstFrameAfter(game.page, clicked)) >= 0; }, 10000))
                times.append(frame - clicked);
        }
    }
    if (times.isEmpty()) {
        std::printf("  tab click to first new frame: no frame came\n");
        return;
    }
    std::sort(times.begin(), times.end());
    std::printf("  tab click to first new frame: median %.0f ms (%.0f–%.0f), %d clicks\n", times.at(times.size() / 2),
                times.first(), times.last(), int(times.size()));
}
}

int main(int argc, char **argv)
{
    MeterProbe::passBackgroundSwitches();
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const int windowMs = (argc > 1 ? qMax(2, atoi(argv[1])) : 10) * 1000;
    TestAppDir dir;
    StandInPortal portal(dir.path());
    if (!portal.start()) {
        std::fprintf(stderr, "the stand-in portal did not start\n");
        return 1;
    }
    MainFrame frame;
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame))
        return 1;
    TabWidget *tabs = frame.tabWidget();
    QList<Game> games;
    QList<QPair<QString, QString>> players = {{QStringLiteral("korvo"), QStringLiteral("default")}};
    const int accounts = argc > 2 && atoi(argv[2]) > 4 ? 8 : 4;
    for (int small = 1; small < accounts; ++small)
        players.append({QStringLiteral("korvo_xh%1").arg(small), QString::number(10002 + small)});
    for (const auto &[account, profile] : players) {
        // Each account's tab in that account's profile, as the small-account bar opens them.
        TabContext context = tabs->currentContext();
        context.profileFlag = profile;
        context.userName = account;
        WebView *view =
            tabs->createGamePlayTab(QUrl(Portal::portalRoot() + QStringLiteral("/static/meter.html")), context);
        games.append({account, tabs->currentWidget(), view->page()});
    }
    for (const Game &game : games) {
        if (!MeterProbe::waitUntilCounting(game.page))
            std::fprintf(stderr, "%s: the meter did not start\n", qPrintable(game.account));
    }
    QWidget *front = tabs->currentWidget();
    std::printf("%d games, one per profile, %d s windows, window %dx%d\n", int(games.size()), windowMs / 1000,
                frame.width(), frame.height());
    phase("window shown", games, front, windowMs);
    switches(tabs, games);
    front = tabs->currentWidget();
    frame.bossMute()->hideWindow();
    phase("hidden by the boss key", games, front, windowMs);
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame))
        return 1;
    for (int i = 0; i < 4; ++i)
        tabs->addToSplit(games.at(i).tab);
    // KORVO_BENCH_SHOT=<file.png>: the screen with the split, to look at.
    if (qEnvironmentVariableIsSet("KORVO_BENCH_SHOT")) {
        QTest::qWait(1500);
        QGuiApplication::primaryScreen()->grabWindow(0).save(qEnvironmentVariable("KORVO_BENCH_SHOT"));
    }
    phase("the first four in a 2x2 split view", games, tabs->currentTab(), windowMs);
    switches(tabs, games);
    tabs->closeTab(tabs->indexOf(tabs->splitView()));
    QTest::qWait(500);
    front = tabs->currentWidget();
    frame.settings()->setValue(QStringLiteral("extras/backgroundplay"), QStringLiteral("no"));
    phase("window shown, background games asleep (setting off)", games, front, windowMs);
    switches(tabs, games);
    frame.settings()->setValue(QStringLiteral("extras/backgroundplay"), QStringLiteral("yes"));
    return 0;
}
