#include "appidentity.h"
#include "enginearguments.h"
#include "mainframe.h"
#include "singleapplication.h"

int main(int argc, char *argv[])
{
    EngineArguments arguments(argc, argv);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    SingleApplication app(arguments.argc(), arguments.argv());
    QGuiApplication::setQuitOnLastWindowClosed(false);
    if (app.isRunning())
        return 0;
    AppIdentity::apply();

    auto *window = new MainFrame;
    app.w = window;
    window->show();
    const int result = app.exec();
    delete window;
    return result;
}
