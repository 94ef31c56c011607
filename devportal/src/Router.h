#pragma once

#include <functional>
#include <memory>
#include <string>

namespace httplib { class Server; struct Request; struct Response; }
class FaultControl;
class RequestLog;

// One listening host. Every handler registered here passes through the fault
// injection and every request lands in the request log.
class Router
{
public:
    using Handler = std::function<void(const httplib::Request &, httplib::Response &)>;
    // Names the endpoint of a request (RequestLog::note) before its fault is looked up.
    using Classifier = std::function<void(const httplib::Request &)>;

    Router(std::string hostName, FaultControl &faults, RequestLog &log);
    ~Router();

    void get(const std::string &pattern, Handler handler, Classifier classify = nullptr);
    void post(const std::string &pattern, Handler handler, Classifier classify = nullptr);
    // Control routes: neither faulted nor logged.
    void control(const std::string &pattern, Handler handler);

    int bind(int port);   // returns the bound port, or -1
    bool listen();        // blocks until stop()
    void stop();

private:
    Handler wrap(Handler handler, Classifier classify);
    void setupErrors();

    std::string m_hostName;
    FaultControl &m_faults;
    RequestLog &m_log;
    std::unique_ptr<httplib::Server> m_server;
};
