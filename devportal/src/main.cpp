// korvo-devportal: the stand-in portal for running and testing the client locally.

#include "PortalContext.h"
#include "PortalOptions.h"
#include "PortalServer.h"
#include "Text.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#ifndef KORVO_DEVPORTAL_WWW
#define KORVO_DEVPORTAL_WWW "www"
#endif

namespace {

bool applyStartFaults(const PortalOptions &options, PortalContext &context)
{
    for (const auto &[endpoint, settings] : options.faults) {
        std::string error;
        auto fault = Fault::fromParams(Text::keyValues(settings), &error);
        if (!fault) {
            std::cerr << "korvo-devportal: bad --fault " << endpoint << ": " << error << "\n";
            return false;
        }
        context.faults.set(endpoint, *fault);
    }
    return true;
}

bool configure(const PortalOptions &options, PortalContext &context)
{
    context.wwwDir = options.wwwDir.empty() ? KORVO_DEVPORTAL_WWW : options.wwwDir;
    if (!options.latestVersion.empty()) context.setLatestVersion(options.latestVersion);
    if (!options.logFile.empty() && !context.log.openFile(options.logFile)) {
        std::cerr << "korvo-devportal: cannot write " << options.logFile << "\n";
        return false;
    }
    if (!context.keys.open(options.keyDir)) {
        std::cerr << "korvo-devportal: " << context.keys.error() << "\n";
        return false;
    }
    return applyStartFaults(options, context);
}
}

int main(int argc, char **argv)
{
    PortalOptions options;
    std::string error;
    if (!options.parse(argc, argv, &error)) {
        std::cerr << "korvo-devportal: " << error << "\n\n" << PortalOptions::usage();
        return 2;
    }
    if (options.help) {
        std::cout << PortalOptions::usage();
        return 0;
    }
    // Signals are taken by sigwait below; the server threads inherit the mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    // A test that crashes cannot stop its portal; the portal then ends with it
    // instead of holding the test's output open for its runner.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) return 0;

    PortalContext context;
    if (!configure(options, context)) return 1;
    PortalServer server(context);
    if (!server.start(options.portalPort, options.h5Port, &error)) {
        std::cerr << "korvo-devportal: " << error << "\n";
        return 1;
    }
    std::printf("portal 127.0.0.1:%d\nh5 127.0.0.1:%d\n", context.portalPort, context.h5Port);
    std::fflush(stdout);

    int received = 0;
    sigwait(&signals, &received);
    server.stop();
    return 0;
}
