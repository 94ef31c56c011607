#include "PortalOptions.h"

#include "Text.h"

namespace {

bool port(const std::string &text, int *value)
{
    if (!Text::isDigits(text) || text.size() > 5) return false;
    *value = std::stoi(text);
    return *value <= 65535;
}
}

bool PortalOptions::parse(int argc, char **argv, std::string *error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            help = true;
            continue;
        }
        if (i + 1 >= argc) {
            *error = "missing value after " + option;
            return false;
        }
        const std::string value = argv[++i];
        if (option == "--portal-port" && port(value, &portalPort)) continue;
        if (option == "--h5-port" && port(value, &h5Port)) continue;
        if (option == "--key-dir") keyDir = value;
        else if (option == "--www") wwwDir = value;
        else if (option == "--log") logFile = value;
        else if (option == "--latest-version") latestVersion = value;
        else if (option == "--fault" && value.find(':') != std::string::npos)
            faults.emplace_back(value.substr(0, value.find(':')), value.substr(value.find(':') + 1));
        else {
            *error = "bad option: " + option + " " + value;
            return false;
        }
    }
    if (keyDir.empty() && !help) {
        *error = "--key-dir is required";
        return false;
    }
    return true;
}

std::string PortalOptions::usage()
{
    return R"(Usage: korvo-devportal --portal-port N --h5-port N --key-dir DIR [options]

Stand-in for the game portal: serves the portal host and the H5 games host on
127.0.0.1. Port 0 picks a free port. Once listening it prints
  portal 127.0.0.1:PORT
  h5 127.0.0.1:PORT
and serves until SIGTERM or SIGINT.

Options:
  --portal-port N        port of the portal host (default 0)
  --h5-port N            port of the H5 games host (default 0)
  --key-dir DIR          RSA key directory: private_key_korvo.pem is loaded or
                         generated (2048 bits); public_key_korvo.pem is written
  --www DIR              pages, templates, static files and skins (default: the
                         source tree's devportal/www)
  --log FILE             append the request log to FILE as JSON lines
  --latest-version V     version announced by check_update (default 1.5.1.4)
  --fault EP:FAULT       fault for endpoint EP at start, FAULT as for /__control,
                         e.g. --fault 'game_list:word=failed&times=1'
  --help                 this text

Demo accounts: korvo / korvo123 (small account korvo_xh1 / xiaohao123),
mingyue / mingyue123, lite / lite1234.

Test controls (portal host):
  /__control?op=fault&endpoint=EP[&delay_ms=N][&word=W][&bom=1][&malformed=1]
                       [&status=500][&drop=1][&times=N]
      EP is an action (game_list, left, ...), a gateway sign (user_login,
      user_register, user_checkloginstatus), "boxInit" (the whole gateway),
      "open" or "web" (all JSON calls / pages), a path ("/user.php") or "*".
      word, status and drop replace the answer (the work is not done); drop
      closes the connection after the headers.
  /__control?op=clear[&endpoint=EP]      remove faults
  /__control?op=revoke&user_id=N | &token=T   invalidate login tokens
  /__control?op=latest_version&version=V
  /__control?op=login&user_name=NAME     issue a token without the envelope
  /__control?op=reset                    seeded data back, faults cleared
  /__control?op=clear_log | op=state
  The same parameters may be POSTed as a JSON object.
  /__log[?from=N]   request log as JSON lines: time, host, method, path, query,
                    params, endpoint, status, body_size, appData (the decoded
                    gateway text), fault
)";
}
