#include "appidentity.h"
#include "enginearguments.h"
#include "instanceguard.h"
#include "mainframe.h"
#include "singleapplication.h"
#include "startupprobe.h"

// The client itself, loaded by the launcher once it is the first copy; the
// guard it hands over holds that claim and belongs to the client from here on.
extern "C" Q_DECL_EXPORT int korvo_run_client(int argc, char *argv[], InstanceGuard *claimed)
{
    std::unique_ptr<InstanceGuard> guard(claimed);
    EngineArguments arguments(argc, argv);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    SingleApplication app(arguments.argc(), arguments.argv(), std::move(guard));
    QGuiApplication::setQuitOnLastWindowClosed(false);
    AppIdentity::apply();

    auto *window = new MainFrame;
    app.w = window;
    window->show();
    StartupProbe::watchIfAsked(window);
    const int result = app.exec();
    delete window;
    return result;
}
