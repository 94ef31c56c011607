#include "hostileskins.h"

#include "app/settings.h"
#include "app/skinstyle.h"
#include "dialogs/auxwindows.h"
#include "dialogs/skinform.h"
#include "dialogs/skininstaller.h"
#include "net/portal.h"
#include "portalfault.h"
#include "processtree.h"
#include "stallmeter.h"
#include "standinportal.h"
#include "testmainframe.h"
#include "testsupport.h"
#include "web/tabwidget.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

namespace {
void applyPackage(TestMainFrame &frame, StandInPortal &portal, const char *label, qint64 sheetBytes)
{
    const QString name = QStringLiteral("red");
    QDir(SkinStyle::directoryFor(name)).removeRecursively();
    PortalFault::once(portal, QStringLiteral("/skins/red.zip"), {{QStringLiteral("qss_bytes"), QString::number(sheetBytes)}});
    SkinInstaller *installer = frame.auxWindows()->skinForm()->installer();
    const long before = ProcessTree::pssMiB();
    StallMeter stall;
    QElapsedTimer clock;
    clock.start();
    frame.tabWidget()->handlerOpenUrl(Portal::portalRoot() + QStringLiteral("/skins/red.zip"), name);
    do
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    while (installer->isBusy() && clock.elapsed() < 60000);
    const qint64 done = clock.elapsed();
    ProcessTree::settle(2000);
    const long after = ProcessTree::pssMiB();
    const bool applied = frame.settings()->value(QStringLiteral("common/skin")).toString() == name;
    const qint64 installed = QFileInfo(SkinStyle::directoryFor(name) + QStringLiteral("style.qss")).size();
    std::printf("%-34s %s (sheet on disk %lld bytes) after %4lld ms  tree %5ld -> %5ld MiB  "
                "longest GUI stall %4lld ms (%lld on the CPU)  %s\n",
                label, applied ? "applied" : "refused", installed, done, before, after, stall.longest, stall.longestCpu,
                ProcessTree::bounded(after, stall.longest));
    if (!applied)
        return;
    // What every later start pays for it: the sheet read, confined and applied.
    StallMeter again;
    QElapsedTimer reapply;
    reapply.start();
    frame.applySkin(name);
    const qint64 took = reapply.elapsed();
    ProcessTree::settle(500);
    std::printf("%-34s applied again in %lld ms, longest GUI stall %lld ms\n", "  the same at a later start", took,
                again.longest);
    frame.applySkin(QStringLiteral("default"));
    frame.settings()->setValue(QStringLiteral("common/skin"), QStringLiteral("default"));
}
}

void HostileSkinsBench::run()
{
    TestAppDir app;
    StandInPortal portal(app.path());
    if (!portal.start()) {
        std::printf("the stand-in portal did not start\n");
        return;
    }
    QDir(SkinStyle::themesDirectory()).removeRecursively();
    TestMainFrame frame;
    frame.show();
    ProcessTree::settle(5000);
    const QByteArray atLimit = "style.qss at the limit, " + QByteArray::number(SkinStyle::maxStyleBytes / 1024) + " KiB";
    applyPackage(frame, portal, atLimit.constData(), SkinStyle::maxStyleBytes);
    applyPackage(frame, portal, "style.qss one byte past the limit", SkinStyle::maxStyleBytes + 1);
}
