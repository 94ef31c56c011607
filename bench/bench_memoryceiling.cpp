// What a discard under the memory ceiling gives back: in the real main
// window on the stand-in portal, a game in front and several web pages
// behind it, the ceiling switched on below what the client holds, so every
// background page goes one reading after the other. Prints the PSS of the
// whole process tree before and after each discard, what one page gives
// back, the cost of one reading of the tree, and the time from bringing a
// discarded page to the front to its reload. Run under Xvfb:
//   build/bin/bench_memoryceiling [pages, default 4] [rounds, default 1]
// Later rounds in the same process give back less: the pages a round closes
// leave their processes warm for the next. Fresh runs compare.
#include "processtree.h"
#include "standinportal.h"
#include "testsupport.h"

#include "account/loginform.h"
#include "app/processfamily.h"
#include "app/settings.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "shell/mainframe.h"
#include "shell/memoryceiling.h"
#include "web/tabwidget.h"
#include "web/webview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {
// The tree settles for this long before it is read.
constexpr int kSettleMs = 3000;

QUrl meter()
{
    return QUrl(Portal::portalRoot() + QStringLiteral("/static/meter.html"));
}

bool loaded(QWebEnginePage *page)
{
    QSignalSpy finished(page, &QWebEnginePage::loadFinished);
    return finished.wait(30000);
}

int failed(const char *why)
{
    std::fprintf(stderr, "%s\n", why);
    return 1;
}

long settledMiB()
{
    ProcessTree::settle(kSettleMs);
    return ProcessTree::pssMiB();
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}

// One reading as the ceiling takes it: the family listed, each member read.
double readingMs()
{
    QList<double> times;
    for (int i = 0; i < 11; ++i) {
        QElapsedTimer clock;
        clock.start();
        for (qint64 pid : ProcessFamily::of(QCoreApplication::applicationPid()))
            ProcessUsage::read(pid, 0);
        times.append(clock.nsecsElapsed() / 1e6);
    }
    return median(times);
}

struct Round {
    long beforeMiB = 0;
    long afterMiB = 0;
    double reloadMs = -1;
};

Round round(MainFrame &frame, MemoryCeiling *ceiling, int pages)
{
    Round result;
    TabWidget *tabs = frame.tabWidget();
    QList<QWidget *> background;
    for (int i = 0; i < pages; ++i) {
        loaded(tabs->createWebTab(meter())->page());
        background.append(tabs->currentWidget());
    }
    loaded(tabs->createGamePlayTab(meter())->page());
    result.beforeMiB = settledMiB();
    std::printf("  %d pages and a game: %ld MiB\n", pages, result.beforeMiB);
    QSignalSpy discarded(ceiling, &MemoryCeiling::signalDiscarded);
    frame.settings()->setMemoryCeiling(true, 1);
    for (int i = 0; i < pages; ++i) {
        if (discarded.count() <= i && !discarded.wait(30000))
            break;
        frame.settings()->setMemoryCeiling(false, 1);
        const long now = settledMiB();
        std::printf("  after discard %d: %ld MiB\n", i + 1, now);
        result.afterMiB = now;
        frame.settings()->setMemoryCeiling(true, 1);
    }
    frame.settings()->setMemoryCeiling(false, 1);
    QWebEnginePage *first = background.first()->findChild<WebView *>()->page();
    QSignalSpy reloaded(first, &QWebEnginePage::loadFinished);
    QElapsedTimer clock;
    clock.start();
    tabs->setCurrentWidget(background.first());
    if (reloaded.wait(30000))
        result.reloadMs = clock.nsecsElapsed() / 1e6;
    tabs->closeTabsButHome();
    return result;
}
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int pages = argc > 1 ? qBound(1, atoi(argv[1]), 20) : 4;
    const int rounds = argc > 2 ? qBound(1, atoi(argv[2]), 10) : 1;
    TestAppDir dir;
    StandInPortal portal(dir.path());
    if (!portal.start())
        return failed("the stand-in portal did not start");
    MainFrame frame;
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame))
        return failed("the window did not show");
    if (!portal.logIn(frame.loginForm()->cookieJar(), QStringLiteral("korvo")) || !frame.tabWidget()->checkLogin())
        return failed("the portal's login did not take");
    auto *ceiling = frame.tabWidget()->findChild<MemoryCeiling *>();
    ceiling->setInterval(500);
    std::printf("home tab alone: %ld MiB\n", settledMiB());
    QList<double> freed;
    QList<double> reloads;
    for (int i = 0; i < rounds; ++i) {
        std::printf("round %d\n", i + 1);
        const Round result = round(frame, ceiling, pages);
        freed.append(double(result.beforeMiB - result.afterMiB) / pages);
        reloads.append(result.reloadMs);
    }
    std::printf("given back a discarded page: median %.1f MiB (%.1f-%.1f)\n", median(freed),
                *std::min_element(freed.begin(), freed.end()), *std::max_element(freed.begin(), freed.end()));
    std::printf("front again to reloaded: median %.0f ms (%.0f-%.0f)\n", median(reloads),
                *std::min_element(reloads.begin(), reloads.end()), *std::max_element(reloads.begin(), reloads.end()));
    std::printf("one reading of the tree (%d processes): median %.2f ms\n",
                int(ProcessFamily::of(QCoreApplication::applicationPid()).size()), readingMs());
    return 0;
}
