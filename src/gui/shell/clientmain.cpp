#include "app/appidentity.h"
#include "web/enginearguments.h"
#include "app/exitsignals.h"
#include "app/instanceguard.h"
#include "shell/mainframe.h"
#include "shell/singleapplication.h"
#include "app/startupprobe.h"

// The client itself, loaded by the launcher once it is the first copy; the
// guard it hands over holds that claim and belongs to the client from here on.
// However the client is asked to end (the tray, the close button, a logout's
// or a terminal's signal), it ends one way: the window's quitApplication ends
// the event loop, the window goes (the open games remembered, the background
// activities stopped, settings and account store closed), then the
// application with its web engine, single-instance socket and lock file.
extern "C" Q_DECL_EXPORT int korvo_run_client(int argc, char *argv[], InstanceGuard *claimed)
{
    std::unique_ptr<InstanceGuard> guard(claimed);
    EngineArguments arguments(argc, argv);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    SingleApplication app(arguments.argc(), arguments.argv(), std::move(guard));
    QGuiApplication::setQuitOnLastWindowClosed(false);
    AppIdentity::apply();
    // A request to end while the window is being built waits for the event loop.
    ExitSignals exitSignals;

    auto *window = new MainFrame;
    app.w = window;
    QObject::connect(&exitSignals, &ExitSignals::signalReceived, window, &MainFrame::quitApplication);
    window->show();
    StartupProbe::watchIfAsked(window);
    const int result = app.exec();
    delete window;
    return result;
}
