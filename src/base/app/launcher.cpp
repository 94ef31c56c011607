// The program users start. Whether another copy already runs is decided with
// Qt's core and network libraries alone: a second start hands its address
// over and ends without ever loading the window system or the web engine,
// whose loading alone costs some 40 MiB. The first copy then loads the client
// (korvo-client.so, beside this program in a build tree or a portable copy,
// in the library folder when installed) and runs it.
#include "app/instanceguard.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

namespace {
using RunClient = int (*)(int, char **, InstanceGuard *);

std::string programFolder()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return std::string(".");
    const std::string program(path, size_t(length));
    return program.substr(0, program.rfind('/'));
}

void *loadClient()
{
    const std::string folder = programFolder();
    for (const std::string &candidate : {folder + "/korvo-client.so", folder + "/" KORVO_INSTALLED_CLIENT}) {
        if (::access(candidate.c_str(), R_OK) != 0)
            continue;
        if (void *module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL))
            return module;
        std::fprintf(stderr, "KorvoClient: %s\n", ::dlerror());
        return nullptr;
    }
    std::fprintf(stderr, "KorvoClient: korvo-client.so is missing beside %s\n", folder.c_str());
    return nullptr;
}
}

int main(int argc, char *argv[])
{
    std::unique_ptr<InstanceGuard> guard = InstanceGuard::claimOrHandOver(argc, argv);
    if (!guard)
        return 0;
    void *module = loadClient();
    const auto run = module ? reinterpret_cast<RunClient>(::dlsym(module, "korvo_run_client")) : nullptr;
    if (!run)
        return 1;
    return run(argc, argv, guard.release());
}
