#pragma once

#include <string>
#include <utility>
#include <vector>

// The command line of korvo-devportal.
struct PortalOptions {
    int portalPort = 0;
    int h5Port = 0;
    std::string keyDir;
    std::string wwwDir;
    std::string logFile;
    std::string latestVersion;
    // "--fault ENDPOINT:key=value&key=value", applied at start.
    std::vector<std::pair<std::string, std::string>> faults;
    bool help = false;

    // Returns false with error set on a bad command line.
    bool parse(int argc, char **argv, std::string *error);
    static std::string usage();
};
