// The yardstick of the client's start: the least a program can do to show the
// portal's two home pages, one window with two web views over a profile kept
// on disk, as the client keeps its own. Prints "loaded <ms since the epoch>"
// when both have finished loading and ends; with --stay it keeps running (for
// the memory figures), with --size=WxH the window has that size. Further page URLs after the two open in tabs of their
// own, each shown in turn; one written "2:URL" opens in a second profile (a
// second account).
#include <QApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: bench_bareshell STORAGE LEFT-URL HOME-URL [--stay] [[2:]PAGE-URL...]\n");
        return 2;
    }
    QWebEngineProfile profile(QStringLiteral("bench"));
    profile.setPersistentStoragePath(args.at(1));
    profile.setCachePath(args.at(1));
    QWebEngineProfile second(QStringLiteral("bench2"));
    second.setPersistentStoragePath(args.at(1) + QStringLiteral("/second"));
    second.setCachePath(args.at(1) + QStringLiteral("/second"));
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
    QSize size(1280, 800);
    for (int i = 4; i < args.size(); ++i) {
        if (args.at(i).startsWith(QLatin1String("--size="))) {
            const QStringList wh = args.at(i).mid(7).split(QLatin1Char('x'));
            if (wh.size() == 2)
                size = QSize(wh.at(0).toInt(), wh.at(1).toInt());
        }
        if (args.at(i).startsWith(QLatin1String("--")))
            continue;
        const bool secondAccount = args.at(i).startsWith(QLatin1String("2:"));
        auto *view = new QWebEngineView;
        view->setPage(new QWebEnginePage(secondAccount ? &second : &profile, view));
        view->load(QUrl(secondAccount ? args.at(i).mid(2) : args.at(i)));
        window.addTab(view, QString::number(i));
    }
    window.resize(size);
    window.show();
    // Each page tab is shown in turn as it would be when opened, and the last
    // one stays in front.
    for (int tab = 1; tab < window.count(); ++tab)
        QTimer::singleShot(500 * tab, &window, [&window, tab] { window.setCurrentIndex(tab); });
    const int result = app.exec();
    return result;
}
