// The yardstick of the client's start: the least a program can do to show the
// portal's two home pages, one window with two web views over a profile kept
// on disk, as the client keeps its own. Prints "loaded <ms since the epoch>"
// when both have finished loading and ends; with --stay it keeps running (for
// the memory figures), with --pages N it opens N further page URLs given after it.
#include <QApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: bench_bareshell STORAGE LEFT-URL HOME-URL [--stay] [PAGE-URL...]\n");
        return 2;
    }
    QWebEngineProfile profile(QStringLiteral("bench"));
    profile.setPersistentStoragePath(args.at(1));
    profile.setCachePath(args.at(1));
    QTabWidget window;
    auto *home = new QWidget;
    auto *row = new QHBoxLayout(home);
    int waiting = 2;
    for (int i : {2, 3}) {
        auto *view = new QWebEngineView;
        view->setPage(new QWebEnginePage(&profile, view));
        QObject::connect(view, &QWebEngineView::loadFinished, &app, [&waiting, &args] {
            if (--waiting != 0)
                return;
            std::printf("loaded %lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            std::fflush(stdout);
            if (!args.contains(QStringLiteral("--stay")))
                QCoreApplication::quit();
        });
        view->load(QUrl(args.at(i)));
        row->addWidget(view, i == 2 ? 0 : 1);
    }
    window.addTab(home, QStringLiteral("home"));
    for (int i = 4; i < args.size(); ++i) {
        if (args.at(i).startsWith(QLatin1String("--")))
            continue;
        auto *view = new QWebEngineView;
        view->setPage(new QWebEnginePage(&profile, view));
        view->load(QUrl(args.at(i)));
        window.addTab(view, QString::number(i));
    }
    window.resize(1280, 800);
    window.show();
    const int result = app.exec();
    return result;
}
