// Games played at once: the main account and three small accounts, each in
// its own profile, each a game tab on the stand-in portal's meter page, the
// last opened in front. Prints, per phase (window shown; hidden by the boss
// key; shown with "后台游戏保持运行" off), each game's timer and frame rate,
// the PSS and CPU of the whole process tree, and the time from a click on a
// tab to that page's first new frame. Run under Xvfb:
//   build/bin/bench_backgroundplay [seconds per window, default 10]
#include "meterprobe.h"
#include "standinportal.h"
#include "testsupport.h"

#include "app/processusage.h"
#include "app/settings.h"
#include "net/portal.h"
#include "shell/bossmute.h"
#include "shell/mainframe.h"
#include "web/tabwidget.h"
#include "web/webview.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QTabBar>
#include <QTest>

#include <cstdio>

namespace {
struct Game {
    QString account;
    QWidget *tab = nullptr;
    QWebEnginePage *page = nullptr;
};

QList<qint64> processTree(qint64 root)
{
    QList<qint64> tree = {root};
    // Parents come before their children often enough; a few rounds catch the rest.
    for (int round = 0; round < 4; ++round) {
        for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            bool number = false;
            const qint64 pid = entry.toLongLong(&number);
            if (!number || tree.contains(pid))
                continue;
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            const QByteArray text = stat.readAll();
            const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 1 && tree.contains(fields.at(1).toLongLong()))
                tree.append(pid);
        }
    }
    return tree;
}

struct TreeUsage {
    qint64 pssKiB = 0;
    qint64 ticks = 0;
};

TreeUsage treeUsage()
{
    TreeUsage usage;
    for (qint64 pid : processTree(QCoreApplication::applicationPid())) {
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
        std::printf("  %-10s %-6s timers %6.1f/s  frames %5.1f/s\n", qPrintable(games.at(i).account),
                    games.at(i).tab == front ? "front" : "behind", rates.at(i).timers, rates.at(i).frames);
    }
    std::printf("  tree PSS %.0f MiB, CPU %.0f %% of one core\n", after.pssKiB / 1024.0, cpu);
}

// A click on each background game's tab in turn: the time to its first frame after the click.
void switches(TabWidget *tabs, const QList<Game> &games)
{
    QList<double> times;
    for (int round = 0; round < 3; ++round) {
        for (const Game &game : games) {
            if (game.tab == tabs->currentWidget())
                continue;
            QTabBar *bar = tabs->tabBar();
            const double clicked = double(QDateTime::currentMSecsSinceEpoch());
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
    const QList<QPair<QString, QString>> players = {
        {QStringLiteral("korvo"), QStringLiteral("default")}, {QStringLiteral("korvo_xh1"), QStringLiteral("10003")},
        {QStringLiteral("korvo_xh2"), QStringLiteral("10005")}, {QStringLiteral("korvo_xh3"), QStringLiteral("10006")}};
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
    std::printf("four games, one per profile, %d s windows, window %dx%d\n", windowMs / 1000, frame.width(),
                frame.height());
    phase("window shown", games, front, windowMs);
    switches(tabs, games);
    front = tabs->currentWidget();
    frame.bossMute()->hideWindow();
    phase("hidden by the boss key", games, front, windowMs);
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame))
        return 1;
    frame.settings()->setValue(QStringLiteral("extras/backgroundplay"), QStringLiteral("no"));
    phase("window shown, background games asleep (setting off)", games, front, windowMs);
    switches(tabs, games);
    frame.settings()->setValue(QStringLiteral("extras/backgroundplay"), QStringLiteral("yes"));
    return 0;
}
