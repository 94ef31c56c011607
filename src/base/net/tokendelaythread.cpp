#include "net/tokendelaythread.h"

#include "net/httprequest.h"
#include "net/portal.h"
#include "net/rsasignature.h"

#include <QDebug>
#include <QMutexLocker>
#include <QTimer>

namespace {
// Enough of a reply to see what the portal said; the rest is noise in the log.
constexpr int kLoggedReplyBytes = 300;
}

TokenDelayThread::TokenDelayThread(QObject *parent)
    : QThread(parent)
{
}

TokenDelayThread::~TokenDelayThread()
{
    // Destroying a running QThread aborts the process.
    quit();
    wait();
}

QString TokenDelayThread::refreshText(const QString &userId, const QString &token)
{
    // The three-argument arg() fills all markers in one pass, so a "%" in a value stays as it is.
    return QStringLiteral("datatype=user&sign=user_checkloginstatus&user_id=%1&user_token=%2&key=%3")
        .arg(userId, token, Portal::apiKey());
}

void TokenDelayThread::setIdentity(QString userId, QString token)
{
    QMutexLocker lock(&m_identityMutex);
    m_userId = userId;
    m_token = token;
}

bool TokenDelayThread::identity(QString *userId, QString *token) const
{
    QMutexLocker lock(&m_identityMutex);
    *userId = m_userId;
    *token = m_token;
    return !m_userId.isEmpty() && !m_token.isEmpty();
}

void TokenDelayThread::run()
{
    // Everything here belongs to this thread and ends with run().
    HttpRequest request;
    QTimer timer;
    // One connection for the thread's life: each reply is logged once, and a failed
    // transfer leaves nothing behind to double the next reply.
    connect(&request, &HttpRequest::signalHttpSuccess, this, &TokenDelayThread::handlerCheckToken);
    connect(&request, &HttpRequest::signalHttpFailed, &request, [](const QString &error) {
        qInfo() << "TokenDelayThread::checkToken failed:" << error;
    });
    connect(&timer, &QTimer::timeout, &request, [this, &request] { checkToken(&request); });
    timer.start(m_periodMs);
    exec();
}

void TokenDelayThread::checkToken(HttpRequest *request)
{
    QString userId;
    QString token;
    if (!identity(&userId, &token))
        return;
    const QByteArray envelope = RSASignature::encrypt(refreshText(userId, token));
    if (envelope.isEmpty()) {
        qInfo() << "TokenDelayThread::checkToken: no envelope, refresh skipped";
        return;
    }
    qInfo() << "TokenDelayThread::checkToken user_id:" << userId << "token:" << Portal::redacted(token);
    request->get(Portal::accountUrl(envelope));
}

void TokenDelayThread::handlerCheckToken(QByteArray reply)
{
    qInfo() << "TokenDelayThread::handlerCheckToken reply:" << reply.left(kLoggedReplyBytes);
}
