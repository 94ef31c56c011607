#include "FaultControl.h"

#include "HostileBodies.h"
#include "HostilePages.h"
#include "SkinPackages.h"

#include <httplib.h>

#include <chrono>

namespace {

bool flag(const std::map<std::string, std::string> &params, const char *key)
{
    auto it = params.find(key);
    return it != params.end() && (it->second == "1" || it->second == "true" || it->second == "yes");
}

std::optional<int> number(const std::map<std::string, std::string> &params, const char *key,
                          int low, int high, std::string *error)
{
    auto it = params.find(key);
    if (it == params.end() || it->second.empty()) return std::nullopt;
    try {
        size_t used = 0;
        int value = std::stoi(it->second, &used);
        if (used == it->second.size() && value >= low && value <= high) return value;
    } catch (...) {
    }
    *error = std::string("bad ") + key;
    return std::nullopt;
}
}

std::optional<Fault> Fault::fromParams(const std::map<std::string, std::string> &params,
                                       std::string *error)
{
    Fault fault;
    error->clear();
    fault.delayMs = number(params, "delay_ms", 0, FaultControl::maxDelayMs, error).value_or(0);
    fault.status = number(params, "status", 100, 599, error).value_or(0);
    fault.times = number(params, "times", 1, 1000000, error).value_or(-1);
    fault.gzipBombMib = number(params, "gzip_bomb_mib", 1, 65536, error).value_or(0);
    fault.imagePx = number(params, "image_px", 1, 65535, error).value_or(0);
    fault.dripMs = number(params, "drip_ms", 1, 60000, error).value_or(0);
    fault.largeBytes = number(params, "large_bytes", 1, 1 << 30, error).value_or(0);
    fault.dupKeys = number(params, "dup_keys", 1, 10000000, error).value_or(0);
    fault.count = number(params, "count", 0, 100000, error).value_or(0);
    fault.qssBytes = number(params, "qss_bytes", 1, 64 << 20, error).value_or(0);
    if (!error->empty()) return std::nullopt;
    if (params.count("word")) fault.word = params.at("word");
    if (params.count("page")) fault.page = params.at("page");
    if (params.count("kind")) fault.kind = params.at("kind");
    if (!fault.page.empty() && HostilePages::page(fault.page, 1, fault.kind).empty()) {
        *error = "bad page";
        return std::nullopt;
    }
    fault.bom = flag(params, "bom");
    fault.malformed = flag(params, "malformed");
    fault.drop = flag(params, "drop");
    fault.endlessHeaders = flag(params, "endless_headers");
    if (params.count("large_field") && !params.at("large_field").empty()) fault.largeField = params.at("large_field");
    if (params.count("hostile_skin")) {
        fault.hostileSkin = params.at("hostile_skin");
        if (!SkinPackages::isHostileKind(fault.hostileSkin)) {
            *error = "bad hostile_skin";
            return std::nullopt;
        }
    }
    return fault;
}

nlohmann::json Fault::toJson() const
{
    nlohmann::json j = {{"delay_ms", delayMs}, {"bom", bom}, {"malformed", malformed},
                        {"status", status},    {"drop", drop}, {"times", times},
                        {"gzip_bomb_mib", gzipBombMib}, {"endless_headers", endlessHeaders},
                        {"image_px", imagePx}, {"drip_ms", dripMs}, {"large_bytes", largeBytes},
                        {"large_field", largeField}, {"dup_keys", dupKeys}, {"page", page},
                        {"count", count},      {"kind", kind},          {"qss_bytes", qssBytes}};
    if (word) j["word"] = *word;
    if (!hostileSkin.empty()) j["hostile_skin"] = hostileSkin;
    return j;
}

std::string Fault::label() const
{
    std::string text;
    auto add = [&text](const std::string &part) { text += (text.empty() ? "" : ",") + part; };
    if (delayMs) add("delay=" + std::to_string(delayMs));
    if (status) add("status=" + std::to_string(status));
    if (drop) add("drop");
    if (word) add("word=" + *word);
    if (malformed) add("malformed");
    if (bom) add("bom");
    if (gzipBombMib) add("gzip_bomb=" + std::to_string(gzipBombMib));
    if (endlessHeaders) add("endless_headers");
    if (imagePx) add("image=" + std::to_string(imagePx));
    if (largeBytes) add("large=" + largeField + ":" + std::to_string(largeBytes));
    if (dupKeys) add("dup_keys=" + std::to_string(dupKeys));
    if (dripMs) add("drip=" + std::to_string(dripMs));
    if (!hostileSkin.empty()) add("hostile_skin=" + hostileSkin);
    if (qssBytes) add("qss_bytes=" + std::to_string(qssBytes));
    if (!page.empty()) add("page=" + page + ":" + std::to_string(count));
    return text;
}

void FaultControl::set(const std::string &endpoint, const Fault &fault)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults[endpoint] = fault;
}

void FaultControl::clear(const std::string &endpoint)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (endpoint.empty()) m_faults.clear();
    else m_faults.erase(endpoint);
}

nlohmann::json FaultControl::toJson() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    nlohmann::json j = nlohmann::json::object();
    for (const auto &[key, fault] : m_faults) j[key] = fault.toJson();
    return j;
}

std::optional<Fault> FaultControl::take(const std::vector<std::string> &keys)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const std::string &key : keys) {
        auto it = m_faults.find(key);
        if (it == m_faults.end()) continue;
        Fault fault = it->second;
        if (it->second.times > 0 && --it->second.times == 0) m_faults.erase(it);
        return fault;
    }
    return std::nullopt;
}

void FaultControl::wait(int ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stopping; });
}

bool FaultControl::stopping() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_stopping;
}

void FaultControl::shutdown()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
}

void FaultControl::apply(const Fault &fault, httplib::Response &res)
{
    if (fault.delayMs > 0) wait(fault.delayMs);
    if (fault.drop) {
        // Headers go out, then the connection closes before any byte of the body.
        res.body.clear();
        res.headers.erase("Content-Type");
        res.set_content_provider(
            64, "text/plain", [](size_t, size_t, httplib::DataSink &) { return false; });
        return;
    }
    if (fault.endlessHeaders) {
        endlessHeaders(res);
        return;
    }
    applyToBody(fault, res);
    if (fault.dripMs) drip(fault.dripMs, res);
}

void FaultControl::applyToBody(const Fault &fault, httplib::Response &res)
{
    if (fault.status) {
        res.status = fault.status;
        res.set_content("<h1>" + std::to_string(fault.status) + " 服务器内部错误</h1>",
                        "text/html; charset=utf-8");
    }
    if (fault.word) res.set_content(*fault.word, "text/plain; charset=utf-8");
    if (!fault.page.empty())
        res.set_content(HostilePages::page(fault.page, fault.count, fault.kind), "text/html; charset=utf-8");
    if (fault.largeBytes) HostileBodies::enlargeField(res.body, fault.largeField, fault.largeBytes);
    if (fault.dupKeys) HostileBodies::repeatKeys(res.body, fault.dupKeys);
    if (fault.malformed) {
        std::string body = res.body.size() >= 8 ? res.body.substr(0, res.body.size() / 2) : "{\"code\":";
        res.set_content(body, "application/json; charset=utf-8");
    }
    if (fault.bom) res.body.insert(0, "\xEF\xBB\xBF");
    if (!fault.hostileSkin.empty()) res.set_content(SkinPackages::hostile(res.body, fault.hostileSkin), "application/zip");
    if (fault.qssBytes) res.set_content(SkinPackages::withSheetOf(res.body, fault.qssBytes), "application/zip");
    if (fault.imagePx) res.set_content(HostileBodies::pngOfSize(fault.imagePx, fault.imagePx), "image/png");
    if (fault.gzipBombMib) {
        // Sent as it stands: the server compresses nothing a provider writes.
        auto bomb = std::make_shared<std::string>(HostileBodies::gzipOfZeros(std::uint64_t(fault.gzipBombMib) << 20));
        res.body.clear();
        res.set_header("Content-Encoding", "gzip");
        res.set_content_provider(bomb->size(), "application/json; charset=utf-8",
                                 [bomb](size_t offset, size_t length, httplib::DataSink &sink) {
                                     return sink.write(bomb->data() + offset, std::min<size_t>(length, 65536));
                                 });
    }
}

void FaultControl::drip(int intervalMs, httplib::Response &res)
{
    auto body = std::make_shared<std::string>(std::move(res.body));
    const std::string type = res.get_header_value("Content-Type");
    res.body.clear();
    res.headers.erase("Content-Type");
    res.set_content_provider(body->size(), type.c_str(),
                             [this, body, intervalMs](size_t offset, size_t, httplib::DataSink &sink) {
                                 wait(intervalMs);
                                 return !stopping() && sink.write(body->data() + offset, 1);
                             });
}

void FaultControl::endlessHeaders(httplib::Response &res)
{
    // An interim "100 Continue" whose body is a second status line and header
    // lines without end: the client reads them all as the real reply's headers.
    res.status = 100;
    res.body.clear();
    res.headers.erase("Content-Type");
    auto line = std::make_shared<int>(0);
    res.set_content_provider("text/plain", [this, line](size_t, httplib::DataSink &sink) {
        std::string text = *line == 0 ? "HTTP/1.1 200 OK\r\n" : std::string();
        // As fast as the client takes them, a few dozen lines a write.
        while (text.size() < 65536)
            text += "X-Filler-" + std::to_string(++*line) + ": " + std::string(1000, 'a') + "\r\n";
        return !stopping() && sink.write(text.data(), text.size());
    });
}
