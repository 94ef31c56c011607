#pragma once

#include "net/replyguard.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class GuardedNetwork;
class QHttpMultiPart;
class QNetworkReply;

// One GET at a time or many: each result arrives on one of the two signals, in
// completion order. Every request carries a transfer timeout, so a portal that
// never answers ends as a failure instead of leaving the caller waiting, an
// overall deadline, so a portal that sends a byte now and then ends too, and a
// size limit on the decoded body. Failure texts never name the address.
class HttpRequest : public QObject
{
    Q_OBJECT
public:
    static constexpr int defaultTimeoutMs = 15000;

    explicit HttpRequest(QObject *parent = nullptr);
    ~HttpRequest() override;

    void get(const QUrl &url);
    // Posts a multipart form; the request takes the body over.
    void post(const QUrl &url, QHttpMultiPart *body);
    // Idle time without a byte before a request fails.
    void setTimeout(int ms);
    int timeout() const { return m_limits.idleMs; }
    // Time for a whole request before it fails.
    void setDeadline(int ms);
    int deadline() const { return m_limits.deadlineMs; }
    void setLimits(const ReplyGuard::Limits &limits) { m_limits = limits; }

    // One attempt at a time: each get() cancels the requests still out, as
    // cancel() does, so only the newest attempt is ever answered.
    void setOneAttempt(bool on) { m_oneAttempt = on; }
    // Aborts every request still out; none of them reaches a signal.
    void cancel();

signals:
    void signalHttpFailed(QString str);
    void signalHttpSuccess(QByteArray str);

public slots:
    void requestFinish(QNetworkReply *reply);

private:
    GuardedNetwork *m_network;
    ReplyGuard::Limits m_limits = ReplyGuard::apiLimits();
    QList<QPointer<QNetworkReply>> m_pending;
    bool m_oneAttempt = false;
};
