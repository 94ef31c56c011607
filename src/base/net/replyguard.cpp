#include "net/replyguard.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {
constexpr qint64 kMiB = 1024 * 1024;
// Qt holds no more than this of a body before the guard has read it.
constexpr qint64 kReadBuffer = 64 * 1024;
}

ReplyGuard::Limits ReplyGuard::apiLimits()
{
    return {4 * kMiB, 15000, 15000};
}

ReplyGuard::Limits ReplyGuard::pictureLimits()
{
    return {8 * kMiB, 15000, 15000};
}

ReplyGuard::Limits ReplyGuard::skinLimits()
{
    return {32 * kMiB, 120000, 15000};
}

QNetworkRequest ReplyGuard::request(const QUrl &url, const Limits &limits)
{
    QNetworkRequest request(url);
    // Named here, so Qt passes compressed bodies through instead of inflating
    // them whole, whatever their size; the guard inflates them within the limit.
    request.setRawHeader("Accept-Encoding", "gzip, deflate");
    request.setTransferTimeout(limits.idleMs);
    return request;
}

ReplyGuard *ReplyGuard::watch(QNetworkReply *reply, const Limits &limits)
{
    return new ReplyGuard(reply, limits);
}

ReplyGuard *ReplyGuard::of(const QNetworkReply *reply)
{
    return reply ? reply->findChild<ReplyGuard *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

ReplyGuard::ReplyGuard(QNetworkReply *reply, const Limits &limits)
    : QObject(reply)
    , m_reply(reply)
    , m_limits(limits)
    , m_decoder(limits.maxBytes)
    , m_deadline(new QTimer(this))
{
    reply->setReadBufferSize(kReadBuffer);
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] { stop(Failure::Deadline); });
    m_deadline->start(limits.deadlineMs);
    connect(reply, &QNetworkReply::readyRead, this, &ReplyGuard::readArrived);
    connect(reply, &QNetworkReply::finished, this, &ReplyGuard::settle);
}

void ReplyGuard::readArrived()
{
    if (m_failure != Failure::None)
        return;
    if (!m_encodingRead) {
        m_encodingRead = true;
        m_headersEnded = true;
        if (!m_decoder.setEncoding(m_reply->rawHeader("Content-Encoding")))
            return stop(Failure::Unreadable);
    }
    if (!m_decoder.feed(m_reply->readAll()))
        stop(m_decoder.tooLarge() ? Failure::TooLarge : Failure::Unreadable);
}

void ReplyGuard::cancel()
{
    stop(Failure::Cancelled);
}

void ReplyGuard::stop(Failure failure)
{
    if (m_done || m_failure != Failure::None)
        return;
    m_failure = failure;
    m_deadline->stop();
    m_reply->abort();
}

void ReplyGuard::settle()
{
    if (m_done)
        return;
    m_done = true;
    m_deadline->stop();
    m_headersEnded = m_headersEnded || m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    m_httpStatus = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    m_networkError = m_reply->error();
    if (m_failure != Failure::None)
        return;
    // Error statuses (404, 500, ...) come as errors too; their pages are no answer.
    if (m_reply->error() != QNetworkReply::NoError) {
        m_failure = Failure::Transport;
        return;
    }
    readArrived();
    if (m_failure == Failure::None && !m_decoder.finish())
        m_failure = m_decoder.tooLarge() ? Failure::TooLarge : Failure::Unreadable;
}

QString ReplyGuard::failureText() const
{
    switch (m_failure) {
    case Failure::None:
        return QString();
    case Failure::TooLarge:
        return QStringLiteral("reply larger than %1 bytes").arg(m_limits.maxBytes);
    case Failure::Deadline:
        return QStringLiteral("no whole reply within %1 ms").arg(m_limits.deadlineMs);
    case Failure::Unreadable:
        return QStringLiteral("reply body cannot be decoded");
    case Failure::Cancelled:
        return QStringLiteral("request cancelled");
    case Failure::Transport:
        break;
    }
    // Qt's own error text names the address; the code and the status do not.
    return m_httpStatus ? QStringLiteral("network error %1, HTTP status %2").arg(m_networkError).arg(m_httpStatus)
                        : QStringLiteral("network error %1").arg(m_networkError);
}
