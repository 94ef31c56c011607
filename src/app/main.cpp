#include "mainframe.h"
#include "singleapplication.h"

#include <cstring>
#include <vector>

namespace {
constexpr size_t kArgBufferSize = 1024;

// The process arguments followed by the two switches for the embedded browser,
// each in a buffer of its own that lives as long as the application.
std::vector<std::vector<char>> buildArguments(int argc, char **argv)
{
    std::vector<std::vector<char>> args;
    auto add = [&args](const char *text) {
        std::vector<char> buffer(std::max(kArgBufferSize, std::strlen(text) + 1), '\0');
        std::strcpy(buffer.data(), text);
        args.push_back(std::move(buffer));
    };
    for (int i = 0; i < argc; ++i)
        add(argv[i]);
    add("--ppapi-flash-path=pepflashplayer.dll");
    add("--ppapi-flash-version=30.0.0.235");
    return args;
}
}

int main(int argc, char *argv[])
{
    std::vector<std::vector<char>> buffers = buildArguments(argc, argv);
    std::vector<char *> newArgv;
    for (auto &buffer : buffers)
        newArgv.push_back(buffer.data());
    newArgv.push_back(nullptr);
    int newArgc = argc + 2;

    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    SingleApplication app(newArgc, newArgv.data());
    QGuiApplication::setQuitOnLastWindowClosed(false);
    if (app.isRunning())
        return 0;

    auto *window = new MainFrame;
    app.w = window;
    window->show();
    const int result = app.exec();
    delete window;
    return result;
}
