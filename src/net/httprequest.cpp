#include "httprequest.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

HttpRequest::HttpRequest(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager)
{
    connect(m_manager, &QNetworkAccessManager::finished, this, &HttpRequest::requestFinish);
}

HttpRequest::~HttpRequest()
{
    // A reply finishing while this object is half destroyed must not reach it;
    // the manager itself may be inside its own signal, so it goes later.
    m_manager->disconnect(this);
    m_manager->deleteLater();
}

void HttpRequest::get(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    m_manager->get(request);
}

void HttpRequest::setTimeout(int ms)
{
    m_timeoutMs = ms > 0 ? ms : defaultTimeoutMs;
}

void HttpRequest::requestFinish(QNetworkReply *reply)
{
    reply->deleteLater();
    // Error statuses (404, 500, ...) come as errors too; their pages are no answer.
    if (reply->error() != QNetworkReply::NoError) {
        emit signalHttpFailed(reply->errorString());
        return;
    }
    emit signalHttpSuccess(reply->readAll());
}
