#include "FaultControl.h"

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
    if (!error->empty()) return std::nullopt;
    if (params.count("word")) fault.word = params.at("word");
    fault.bom = flag(params, "bom");
    fault.malformed = flag(params, "malformed");
    fault.drop = flag(params, "drop");
    return fault;
}

nlohmann::json Fault::toJson() const
{
    nlohmann::json j = {{"delay_ms", delayMs}, {"bom", bom}, {"malformed", malformed},
                        {"status", status},    {"drop", drop}, {"times", times}};
    if (word) j["word"] = *word;
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
    if (fault.status) {
        res.status = fault.status;
        res.set_content("<h1>" + std::to_string(fault.status) + " 服务器内部错误</h1>",
                        "text/html; charset=utf-8");
    }
    if (fault.word) res.set_content(*fault.word, "text/plain; charset=utf-8");
    if (fault.malformed) {
        std::string body = res.body.size() >= 8 ? res.body.substr(0, res.body.size() / 2) : "{\"code\":";
        res.set_content(body, "application/json; charset=utf-8");
    }
    if (fault.bom) res.body.insert(0, "\xEF\xBB\xBF");
}
