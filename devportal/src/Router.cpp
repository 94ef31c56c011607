#include "Router.h"

#include "FaultControl.h"
#include "RequestLog.h"
#include "Text.h"

#include <httplib.h>

Router::Router(std::string hostName, FaultControl &faults, RequestLog &log)
    : m_hostName(std::move(hostName)), m_faults(faults), m_log(log),
      m_server(std::make_unique<httplib::Server>())
{
    // Browsers and the client keep idle connections open; short keep-alive and a
    // larger pool keep them from starving new requests.
    m_server->new_task_queue = [] { return new httplib::ThreadPool(32); };
    m_server->set_keep_alive_timeout(2);
    m_server->set_read_timeout(5, 0);
    m_server->set_payload_max_length(16 * 1024 * 1024);
    m_server->set_pre_routing_handler([](const httplib::Request &, httplib::Response &) {
        RequestLog::note() = RequestNote();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    // Logged before the reply is written: whoever has the reply finds its entry.
    m_server->set_post_routing_handler([this](const httplib::Request &req, httplib::Response &res) {
        if (!Text::startsWith(req.path, "/__")) m_log.record(m_hostName, req, res);
    });
    setupErrors();
}

Router::~Router() = default;

void Router::setupErrors()
{
    m_server->set_error_handler([](const httplib::Request &, httplib::Response &res) {
        if (!res.body.empty()) return;
        const std::string code = std::to_string(res.status);
        const char *text = res.status == 404 ? "页面不存在" : res.status == 400 ? "请求无效" : "服务器错误";
        res.set_content("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + code
                            + "</title></head><body><h1>" + code + " " + text
                            + "</h1><p><a href=\"/\">返回首页</a></p></body></html>",
                        "text/html; charset=utf-8");
    });
    m_server->set_exception_handler(
        [](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
            res.status = 500;
            res.set_content("server error", "text/plain; charset=utf-8");
        });
}

Router::Handler Router::wrap(Handler handler, Classifier classify)
{
    return [this, handler, classify](const httplib::Request &req, httplib::Response &res) {
        RequestNote &note = RequestLog::note();
        note.endpoint = req.path;
        if (classify) classify(req);
        auto fault = m_faults.take({note.endpoint, note.group, req.path, "*"});
        if (fault) note.fault = fault->label();
        // A fault that replaces the answer also stands for the work: nothing is done.
        if (!fault || !fault->replacesReply()) {
            try {
                handler(req, res);
            } catch (const std::exception &) {
                res.status = 500;
                res.set_content("server error", "text/plain; charset=utf-8");
            }
        }
        if (fault) m_faults.apply(*fault, res);
    };
}

void Router::get(const std::string &pattern, Handler handler, Classifier classify)
{
    m_server->Get(pattern, wrap(std::move(handler), std::move(classify)));
}

void Router::post(const std::string &pattern, Handler handler, Classifier classify)
{
    m_server->Post(pattern, wrap(std::move(handler), std::move(classify)));
}

void Router::control(const std::string &pattern, Handler handler)
{
    m_server->Get(pattern, handler);
    m_server->Post(pattern, handler);
}

int Router::bind(int port)
{
    if (port == 0) return m_server->bind_to_any_port("127.0.0.1");
    return m_server->bind_to_port("127.0.0.1", port) ? port : -1;
}

bool Router::listen()
{
    return m_server->listen_after_bind();
}

void Router::stop()
{
    m_server->stop();
}
