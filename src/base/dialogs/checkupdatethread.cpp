#include "dialogs/checkupdatethread.h"

#include "net/httprequest.h"
#include "net/portal.h"
#include "dialogs/updatecheck.h"

#include <QDebug>

CheckUpdateThread::CheckUpdateThread(bool skipping, const QString &skippedVersion, QObject *parent)
    : QObject(parent)
    , m_skipping(skipping)
    , m_skippedVersion(skippedVersion)
{
}

void CheckUpdateThread::checkUpdate()
{
    if (m_request)
        return;
    // Made here, so that it lives on the worker's thread.
    m_request = new HttpRequest(this);
    connect(m_request, &HttpRequest::signalHttpSuccess, this, &CheckUpdateThread::handlerReply);
    connect(m_request, &HttpRequest::signalHttpFailed, this, [this](const QString &why) {
        qDebug() << "checkUpdate failed:" << why;
        emit signalDone();
    });
    m_request->get(QUrl(Portal::apiCall(QStringLiteral("check_update"))));
}

void CheckUpdateThread::handlerReply(const QByteArray &body)
{
    const UpdateCheck::Reply reply = UpdateCheck::read(body);
    if (UpdateCheck::shouldAnnounce(reply, m_skipping, m_skippedVersion))
        emit newVersion();
    emit signalDone();
}
