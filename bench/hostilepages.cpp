#include "hostilepages.h"

#include "account/loginform.h"
#include "web/pagenotice.h"
#include "portalfault.h"
#include "processtree.h"
#include "stallmeter.h"
#include "tabfixture.h"
#include "web/tabwidget.h"
#include "web/webview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {
void flood(TabFixture &fixture, const char *label, const QString &page, int count)
{
    TabWidget *tabs = fixture.tabs();
    PortalFault::once(fixture.portal(), QStringLiteral("/news"),
                      {{QStringLiteral("page"), page}, {QStringLiteral("count"), QString::number(count)}});
    const long before = ProcessTree::pssMiB();
    StallMeter stall;
    // The page's own tab is opened as any tab is, the yardstick; what it then does is the page's.
    QElapsedTimer opening;
    opening.start();
    WebView *view = tabs->createWebTab(QUrl(fixture.portalRoot() + QStringLiteral("/news")));
    const qint64 ownTab = opening.elapsed();
    stall.restart();
    ProcessTree::settle(8000);
    const qint64 atLoad = stall.longest;
    const qint64 atLoadCpu = stall.longestCpu;
    stall.restart();
    if (view->focusProxy())
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(200, 200));
    ProcessTree::settle(12000);
    const qint64 afterClick = stall.longest;
    const qint64 afterClickCpu = stall.longestCpu;
    QString told;
    for (PageNotice *notice : tabs->findChildren<PageNotice *>())
        told = notice->text().isEmpty() ? told : notice->text();
    const long after = ProcessTree::pssMiB();
    const qint64 longest = qMax(atLoad, afterClick);
    std::printf("%-34s %3d new tabs  tree %5ld -> %5ld MiB  longest GUI stall %4lld ms (at load %lld, %lld on "
                "the CPU; after the click %lld, %lld on the CPU; its own tab %lld)  %s (%s)\n",
                label, tabs->count() - 2, before, after, longest, atLoad, atLoadCpu, afterClick, afterClickCpu, ownTab,
                ProcessTree::bounded(after, longest), qPrintable(told));
    fixture.logOut();
    ProcessTree::settle(3000);
    fixture.logIn(QStringLiteral("korvo"));
}

void alertLoop(TabFixture &fixture)
{
    TabWidget *tabs = fixture.tabs();
    PortalFault::once(fixture.portal(), QStringLiteral("/news"), {{QStringLiteral("page"), QStringLiteral("dialogs")}});
    StallMeter stall;
    int answered = 0;
    QElapsedTimer clock;
    qint64 closedAfter = -1;
    QTimer answerer;
    // Twenty boxes answered, then the tab closed while the next one is open.
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (!box || !box->isVisible() || box->property("seen").toBool())
                continue;
            box->setProperty("seen", true);
            if (++answered <= 20) {
                box->buttons().first()->click();
            } else if (!clock.isValid()) {
                clock.start();
                tabs->closeTab(1);
            }
            return;
        }
        if (clock.isValid() && closedAfter < 0 && tabs->count() == 1)
            closedAfter = clock.elapsed();
    });
    answerer.start(10);
    tabs->createWebTab(QUrl(fixture.portalRoot() + QStringLiteral("/news")));
    stall.restart();
    QElapsedTimer overall;
    overall.start();
    while (closedAfter < 0 && overall.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const long tree = ProcessTree::pssMiB();
    std::printf("%-34s %3d boxes  tab closed %lld ms after asked  tree %5ld MiB  longest GUI stall %4lld ms  %s\n",
                "alert loop, tab closed", answered, closedAfter, tree, stall.longest,
                closedAfter >= 0 ? ProcessTree::bounded(tree, stall.longest) : "NOT bounded");
}

// One bridge call with an argument far past its limit.
void hugeArgument(TabFixture &fixture, const char *label, const QString &variant, int kiChars)
{
    TabWidget *tabs = fixture.tabs();
    PortalFault::once(fixture.portal(), QStringLiteral("/news"),
                      {{QStringLiteral("page"), QStringLiteral("huge_argument")},
                       {QStringLiteral("kind"), variant},
                       {QStringLiteral("count"), QString::number(kiChars)}});
    const long before = ProcessTree::pssMiB();
    StallMeter stall;
    QElapsedTimer clock;
    clock.start();
    WebView *view = tabs->createWebTab(QUrl(fixture.portalRoot() + QStringLiteral("/news")));
    stall.restart();
    while (view->title() != QLatin1String("argument sent") && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const qint64 sent = clock.elapsed();
    ProcessTree::settle(5000);
    const long after = ProcessTree::pssMiB();
    std::printf("%-34s sent after %5lld ms, %d tabs  tree %5ld -> %5ld MiB  longest GUI stall %4lld ms (%lld on the "
                "CPU)  %s\n",
                label, sent, tabs->count() - 1, before, after, stall.longest, stall.longestCpu,
                ProcessTree::bounded(after, stall.longest));
    while (tabs->count() > 1)
        tabs->closeTab(tabs->count() - 1);
    ProcessTree::settle(2000);
}
}

void HostilePagesBench::run()
{
    TabFixture fixture;
    if (!fixture.start() || !fixture.logIn(QStringLiteral("korvo"))) {
        std::printf("the stand-in portal did not start\n");
        return;
    }
    ProcessTree::settle(5000);
    flood(fixture, "300 x window.open at load, a click", QStringLiteral("popups"), 300);
    flood(fixture, "300 x OpenGame at load, a click", QStringLiteral("open_games"), 300);
    alertLoop(fixture);
    hugeArgument(fixture, "OpenGame, 5 Mi x '游' as game", QStringLiteral("open_game"), 5120);
    hugeArgument(fixture, "GetHttpData, 10 Mi characters", QStringLiteral("http_data"), 10240);
}
