#pragma once

#include <string>

namespace httplib { struct Request; }
struct PortalContext;

// Addresses of the two hosts as the requester reaches them: the host name of the
// request's Host header with each host's own port, so links stay on the stand-in.
struct HostUrls {
    std::string portal;   // "http://127.0.0.1:PORT"
    std::string h5;
    std::string index() const { return portal + "/DODev_C/index.php"; }

    static HostUrls of(const httplib::Request &req, const PortalContext &context);
};
