// Stands in for the client in the single-instance test: "first" when it owns
// the name, "second" when it handed over, "woken" when a later start raised it
// ("woken <text>" when that start handed over a text).
// With --stay the first copy keeps running after each wake-up, so that a race
// of several starts can be counted.
#include "app/instanceguard.h"
#include "shell/singleapplication.h"

#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char *argv[])
{
    std::unique_ptr<InstanceGuard> guard = InstanceGuard::claimOrHandOver(argc, argv);
    if (!guard) {
        std::printf("second\n");
        return 0;
    }
    SingleApplication app(argc, argv, std::move(guard));
    QGuiApplication::setQuitOnLastWindowClosed(false);
    const bool stay = app.arguments().contains(QStringLiteral("--stay"));
    QWidget window;
    window.resize(200, 100);
    app.w = &window;
    std::printf("first\n");
    std::fflush(stdout);
    QString message;
    QObject::connect(&app, &SingleApplication::signalMessageReceived, &app,
                     [&message](const QString &text) { message = text; });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&window, &message, stay] {
        if (!window.isVisible())
            return;
        std::printf("woken%s\n", message.isEmpty() ? "" : qPrintable(QLatin1Char(' ') + message));
        message.clear();
        std::fflush(stdout);
        if (stay)
            window.hide();
        else
            QCoreApplication::quit();
    });
    poll.start(20);
    return app.exec();
}
