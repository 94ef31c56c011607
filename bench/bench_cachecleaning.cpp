// Figures for the cache window on a cache of 50,000 files: how long measuring
// and cleaning take, and the longest stall of the GUI thread's event loop
// meanwhile. Prints, asserts nothing. Run: QT_QPA_PLATFORM=offscreen build/bin/bench_cachecleaning
#include "dialogs/cachedirectory.h"
#include "dialogs/clearcacheform.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QTextStream>

namespace {
constexpr int kFolders = 500;
constexpr int kFilesPerFolder = 100;   // 50,000 files
constexpr int kFileSize = 4096;

void fillProfile(const QString &profile, int folders)
{
    const QByteArray data(kFileSize, 'x');
    for (int d = 0; d < folders; ++d) {
        const QString dir = profile + QStringLiteral("/Cache/d%1").arg(d);
        QDir().mkpath(dir);
        for (int f = 0; f < kFilesPerFolder; ++f) {
            QFile file(dir + QStringLiteral("/f%1").arg(f));
            if (file.open(QIODevice::WriteOnly))
                file.write(data);
        }
    }
}

// Runs the window's work and reports how long it took and the longest gap
// between two ticks of a 5 ms timer on the GUI thread.
void measure(const char *what, ClearCacheForm &form, const std::function<void()> &start)
{
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = qMax(longest, sinceTick.restart());
    });
    QEventLoop loop;
    QObject::connect(&form, &ClearCacheForm::signalSizeShown, &loop, &QEventLoop::quit);
    tick.start(5);
    clock.start();
    sinceTick.start();
    start();
    loop.exec();
    tick.stop();
    QTextStream(stdout) << what << ": " << clock.elapsed() << " ms, longest event-loop stall " << longest << " ms\n";
}
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestAppDir dir;
    const QString cache = CacheDirectory::path();
    QDir(cache).removeRecursively();
    fillProfile(cache + QStringLiteral("/default"), kFolders / 5);
    fillProfile(cache + QStringLiteral("/10003"), kFolders - kFolders / 5);

    QElapsedTimer clock;
    clock.start();
    const qint64 bytes = CacheDirectory::size(cache);
    QTextStream(stdout) << "size walk of " << kFolders * kFilesPerFolder << " files (" << bytes
                        << " bytes): " << clock.elapsed() << " ms\n";

    auto *form = new ClearCacheForm;
    measure("window opened, measuring", *form, [] {});
    measure("cleaning (40,000 files of a profile not live)", *form, [form] { form->handlerClearWebCache(); });
    delete form;
    return 0;
}
