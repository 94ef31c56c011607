#include "RequestLog.h"

#include "Text.h"

#include <httplib.h>

bool RequestLog::openFile(const std::string &path)
{
    m_file.open(path, std::ios::app);
    return m_file.is_open();
}

RequestNote &RequestLog::note()
{
    thread_local RequestNote current;
    return current;
}

void RequestLog::record(const std::string &host, const httplib::Request &req,
                        const httplib::Response &res)
{
    RequestNote &n = note();
    const size_t q = req.target.find('?');
    nlohmann::json params = nlohmann::json::object();
    for (const auto &[key, value] : req.params) params[key] = value;
    nlohmann::json entry = {{"time", Text::nowText()},
                            {"host", host},
                            {"method", req.method},
                            {"path", req.path},
                            {"query", q == std::string::npos ? "" : req.target.substr(q + 1)},
                            {"params", params},
                            {"endpoint", n.endpoint},
                            {"status", res.status},
                            {"body_size", req.body.size()}};
    if (!n.appData.empty()) entry["appData"] = n.appData;
    // An upload's parts by field: the file name and type the client gave.
    for (const auto &[field, file] : req.files)
        entry["files"][field] = {{"filename", file.filename}, {"content_type", file.content_type},
                                 {"size", file.content.size()}};
    if (!n.fault.empty()) entry["fault"] = n.fault;
    n = RequestNote();
    // Invalid UTF-8 from garbage requests must not stop the log.
    const std::string line = entry.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.push_back(line);
    if (m_lines.size() > maxEntries) {
        m_lines.erase(m_lines.begin());
        ++m_dropped;
    }
    if (m_file.is_open()) {
        m_file << line << '\n';
        m_file.flush();
    }
}

std::string RequestLog::lines(size_t from) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string out;
    for (size_t i = from > m_dropped ? from - m_dropped : 0; i < m_lines.size(); ++i) {
        out += m_lines[i];
        out += '\n';
    }
    return out;
}

size_t RequestLog::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_dropped + m_lines.size();
}

void RequestLog::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_dropped += m_lines.size();
    m_lines.clear();
}
