#pragma once

#include <nlohmann/json.hpp>

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace httplib { struct Response; }

// A misbehaviour of one endpoint, set by tests over the control endpoint.
struct Fault {
    int delayMs = 0;
    std::optional<std::string> word;   // replaces the body with a bare word
    bool bom = false;                  // UTF-8 byte-order mark before the body
    bool malformed = false;            // body cut in half
    int status = 0;                    // e.g. 500
    bool drop = false;                 // connection closed before the body
    int gzipBombMib = 0;               // a gzip body that inflates to this many MiB of zeros
    bool endlessHeaders = false;       // header lines that never end
    int imagePx = 0;                   // a valid square PNG this many pixels wide
    int dripMs = 0;                    // the body one byte every this many milliseconds
    int largeBytes = 0;                // a JSON member made this long
    std::string largeField = "user_email";
    int dupKeys = 0;                   // repeated "dup" members with object values
    std::string hostileSkin;           // a skin package turned hostile (SkinPackages::hostile)
    int qssBytes = 0;                  // a skin package whose style.qss is this long
    std::string page;                  // a hostile page in place of the answer (HostilePages)
    int count = 0;                     // how often the page does its thing
    std::string kind;                  // the page's variant
    int times = -1;                    // remaining uses, -1 for every request

    static std::optional<Fault> fromParams(const std::map<std::string, std::string> &params,
                                           std::string *error);
    nlohmann::json toJson() const;
    std::string label() const;
    bool replacesReply() const { return word || status || drop || gzipBombMib || endlessHeaders || imagePx || !page.empty(); }
};

// Faults by endpoint key: an action ("game_list"), a gateway sign ("user_login"),
// "boxInit" for every gateway call, a path ("/user.php"), or "*" for everything.
class FaultControl
{
public:
    static constexpr int maxDelayMs = 120000;

    void set(const std::string &endpoint, const Fault &fault);
    void clear(const std::string &endpoint = std::string());
    nlohmann::json toJson() const;

    // The first fault among the keys, counted as used.
    std::optional<Fault> take(const std::vector<std::string> &keys);
    // Applies a fault to a finished reply; sleeps for its delay first.
    void apply(const Fault &fault, httplib::Response &res);
    // Wakes every delayed reply so that the server can stop at once.
    void shutdown();

private:
    void wait(int ms);
    bool stopping() const;
    void applyToBody(const Fault &fault, httplib::Response &res);
    void drip(int intervalMs, httplib::Response &res);
    void endlessHeaders(httplib::Response &res);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::map<std::string, Fault> m_faults;
};
