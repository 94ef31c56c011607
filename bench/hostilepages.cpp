#include "hostilepages.h"

#include "account/loginform.h"
#include "web/pagenotice.h"
#include "portalfault.h"
#include "app/processusage.h"
#include "stallmeter.h"
#include "tabfixture.h"
#include "web/tabwidget.h"
#include "web/webview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {
// The client and every process under it (the engine's), in MiB of PSS.
long treeMiB()
{
    QHash<qint64, qint64> parentOf;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (entry.toLongLong() > 0 && stat.open(QIODevice::ReadOnly)) {
            const QByteArray text = stat.readAll();
            parentOf.insert(entry.toLongLong(), text.mid(text.lastIndexOf(')') + 2).split(' ').value(1).toLongLong());
        }
    }
    qint64 kib = 0;
    for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
        for (qint64 pid = it.key(); pid > 1; pid = parentOf.value(pid)) {
            if (pid == QCoreApplication::applicationPid()) {
                kib += qMax<qint64>(0, ProcessUsage::read(it.key(), 0).pssKiB);
                break;
            }
        }
    }
    return long(kib / 1024);
}

// The goal each figure is held against; printed, not asserted.
const char *bounded(long treeMiB, qint64 stallMs)
{
    return treeMiB < 1024 && stallMs < 100 ? "bounded" : "NOT bounded";
}

void settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void flood(TabFixture &fixture, const char *label, const QString &page, int count)
{
    TabWidget *tabs = fixture.tabs();
    PortalFault::once(fixture.portal(), QStringLiteral("/news"),
                      {{QStringLiteral("page"), page}, {QStringLiteral("count"), QString::number(count)}});
    const long before = treeMiB();
    StallMeter stall;
    WebView *view = tabs->createWebTab(QUrl(fixture.portalRoot() + QStringLiteral("/news")));
    settle(8000);
    if (view->focusProxy())
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(200, 200));
    settle(12000);
    QString told;
    for (PageNotice *notice : tabs->findChildren<PageNotice *>())
        told = notice->text().isEmpty() ? told : notice->text();
    const long after = treeMiB();
    std::printf("%-34s %3d tabs  tree %5ld -> %5ld MiB  longest GUI stall %4lld ms  %s (%s)\n", label,
                tabs->count() - 1, before, after, stall.longest, bounded(after, stall.longest), qPrintable(told));
    fixture.logOut();
    settle(3000);
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
    QElapsedTimer overall;
    overall.start();
    while (closedAfter < 0 && overall.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const long tree = treeMiB();
    std::printf("%-34s %3d boxes  tab closed %lld ms after asked  tree %5ld MiB  longest GUI stall %4lld ms  %s\n",
                "alert loop, tab closed", answered, closedAfter, tree, stall.longest,
                closedAfter >= 0 ? bounded(tree, stall.longest) : "NOT bounded");
}
}

void HostilePagesBench::run()
{
    TabFixture fixture;
    if (!fixture.start() || !fixture.logIn(QStringLiteral("korvo"))) {
        std::printf("the stand-in portal did not start\n");
        return;
    }
    settle(5000);
    flood(fixture, "300 x window.open at load, a click", QStringLiteral("popups"), 300);
    flood(fixture, "300 x OpenGame at load, a click", QStringLiteral("open_games"), 300);
    alertLoop(fixture);
}
