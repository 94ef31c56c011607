// The yardstick of the client's start: the least a program can do to show the
// portal's two home pages, one window with two web views over a profile kept
// on disk, as the client keeps its own. Prints "loaded <ms since the epoch>"
// when both have finished loading and ends; with --stay it keeps running (for
// the memory figures), with --size=WxH the window has that size. Further page URLs after the two open in tabs of their
// own, each shown in turn; one written "K:URL" (K from 2 to 9) opens in the
// K-th profile (another account).
#include <QApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>
#include <map>
#include <memory>

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
    // The other accounts' profiles, made as their pages ask for them.
    std::map<int, std::unique_ptr<QWebEngineProfile>> others;
    const auto profileFor = [&](int account) {
        if (account < 2)
            return &profile;
        std::unique_ptr<QWebEngineProfile> &made = others[account];
        if (!made) {
            const QString folder = args.at(1) + QStringLiteral("/account%1").arg(account);
            made = std::make_unique<QWebEngineProfile>(QStringLiteral("bench%1").arg(account));
            made->setPersistentStoragePath(folder);
            made->setCachePath(folder);
        }
        return made.get();
    };
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
        const QString &page = args.at(i);
        const bool otherAccount = page.size() > 2 && page.at(1) == QLatin1Char(':') && page.at(0).isDigit();
        auto *view = new QWebEngineView;
        view->setPage(new QWebEnginePage(profileFor(otherAccount ? page.at(0).digitValue() : 1), view));
        view->load(QUrl(otherAccount ? page.mid(2) : page));
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
