#include "appidentity.h"
#include "enginearguments.h"
#include "instanceguard.h"
#include "mainframe.h"
#include "singleapplication.h"
#include "startupprobe.h"

int main(int argc, char *argv[])
{
    std::unique_ptr<InstanceGuard> guard = SingleApplication::claimOrHandOver(argc, argv);
    if (!guard)
        return 0;
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
