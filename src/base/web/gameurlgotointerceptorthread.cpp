#include "web/gameurlgotointerceptorthread.h"

#include "net/httprequest.h"
#include "net/portal.h"
#include "web/urlrules.h"

#include <QDebug>

GameUrlGotoInterceptorThread::GameUrlGotoInterceptorThread(QObject *parent)
    : QThread(parent)
{
}

GameUrlGotoInterceptorThread::~GameUrlGotoInterceptorThread()
{
    quit();
    wait();
}

void GameUrlGotoInterceptorThread::run()
{
    HttpRequest request;
    const QString file = UrlRules::fileName();
    connect(&request, &HttpRequest::signalHttpSuccess, &request, [this, file](const QByteArray &body) {
        if (UrlRules::writeReply(body, file))
            emit signalRulesWritten();
        else
            qDebug() << "url_interceptor: the reply holds no rules";
        quit();
    });
    // An unreachable portal leaves the rules of the last run in place.
    connect(&request, &HttpRequest::signalHttpFailed, &request, [this](const QString &error) {
        qDebug() << "url_interceptor failed:" << error;
        quit();
    });
    request.get(QUrl(Portal::apiCall(QStringLiteral("url_interceptor"))));
    exec();
}
