// Stands in for the client in the single-instance test: "first" when it owns
// the name, "second" when it handed over, "woken" when a later start raised it.
#include "singleapplication.h"

#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char *argv[])
{
    SingleApplication app(argc, argv);
    QGuiApplication::setQuitOnLastWindowClosed(false);
    if (app.isRunning()) {
        std::printf("second\n");
        return 0;
    }
    QWidget window;
    window.resize(200, 100);
    app.w = &window;
    std::printf("first\n");
    std::fflush(stdout);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&window] {
        if (window.isVisible()) {
            std::printf("woken\n");
            std::fflush(stdout);
            QCoreApplication::quit();
        }
    });
    poll.start(20);
    return app.exec();
}
