#include "net/httprequest.h"

#include "net/guardednetwork.h"

#include <QNetworkReply>

HttpRequest::HttpRequest(QObject *parent)
    : QObject(parent)
    , m_network(new GuardedNetwork(this))
{
    connect(m_network, &GuardedNetwork::finished, this, &HttpRequest::requestFinish);
}

HttpRequest::~HttpRequest() = default;

void HttpRequest::get(const QUrl &url)
{
    if (m_oneAttempt)
        cancel();
    m_pending.append(m_network->get(url, m_limits));
}

void HttpRequest::post(const QUrl &url, QHttpMultiPart *body)
{
    if (m_oneAttempt)
        cancel();
    m_pending.append(m_network->post(url, body, m_limits));
}

void HttpRequest::setTimeout(int ms)
{
    m_limits.idleMs = ms > 0 ? ms : defaultTimeoutMs;
}

void HttpRequest::setDeadline(int ms)
{
    m_limits.deadlineMs = ms > 0 ? ms : ReplyGuard::apiLimits().deadlineMs;
}

void HttpRequest::cancel()
{
    const QList<QPointer<QNetworkReply>> pending = m_pending;
    m_pending.clear();
    for (const QPointer<QNetworkReply> &reply : pending) {
        if (ReplyGuard *guard = reply ? ReplyGuard::of(reply) : nullptr)
            guard->cancel();
    }
}

void HttpRequest::requestFinish(QNetworkReply *reply)
{
    reply->deleteLater();
    m_pending.removeAll(reply);
    const ReplyGuard *guard = ReplyGuard::of(reply);
    if (!guard || guard->failure() == ReplyGuard::Failure::Cancelled)
        return;
    if (!guard->succeeded()) {
        emit signalHttpFailed(guard->failureText());
        return;
    }
    emit signalHttpSuccess(guard->body());
}
