#pragma once

#include <nlohmann/json.hpp>

#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace httplib { struct Request; struct Response; }

// What a handler learned about the request it served; read when the request is logged.
struct RequestNote {
    std::string endpoint;   // fault key: action, sign or path
    std::string group;      // wider fault key: "boxInit", "open" or "web"
    std::string appData;    // decoded gateway text
    std::string fault;      // label of the applied fault
};

// JSON-lines log of every request, kept in memory for "/__log" and appended to a file.
class RequestLog
{
public:
    static constexpr size_t maxEntries = 20000;

    bool openFile(const std::string &path);
    void record(const std::string &host, const httplib::Request &req, const httplib::Response &res);
    // Lines from entry number `from` (0-based) on, each a JSON object.
    std::string lines(size_t from) const;
    size_t size() const;
    void clear();

    // One note per worker thread: httplib serves a request on one thread from start to log.
    static RequestNote &note();

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
    size_t m_dropped = 0;   // entries pushed out of memory, so numbering stays stable
    std::ofstream m_file;
};
