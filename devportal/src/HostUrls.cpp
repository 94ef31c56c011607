#include "HostUrls.h"

#include "PortalContext.h"

#include <httplib.h>

#include <cctype>

HostUrls HostUrls::of(const httplib::Request &req, const PortalContext &context)
{
    std::string host = req.get_header_value("Host");
    // Keep only a plain host name; anything odd falls back to the loopback address.
    if (host.size() > 2 && host.front() == '[') host = host.substr(0, host.find(']') + 1);
    else host = host.substr(0, host.find(':'));
    bool plain = !host.empty() && host.size() < 128;
    for (char c : host) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '['
            && c != ']' && c != ':')
            plain = false;
    }
    if (!plain) host = "127.0.0.1";
    return {"http://" + host + ":" + std::to_string(context.portalPort),
            "http://" + host + ":" + std::to_string(context.h5Port)};
}
