#pragma once

#include "net/replyguard.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QHttpMultiPart;
class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

// Portal requests, each watched by a ReplyGuard, through a network access
// manager that is replaced when it can no longer serve. Qt 5.15 reads reply
// headers without any bound and its network thread never gets back to its
// event loop while a portal keeps sending them: an aborted request goes on
// being read, and every later request of that manager waits behind it. So
// after a request that ended before its headers did, the next request goes
// through a new manager. The old one is destroyed on a thread of its own once
// its last reply has ended, since its destructor waits for its network thread,
// and the connection it may be stuck on is shut down beneath it.
class GuardedNetwork : public QObject
{
    Q_OBJECT
public:
    explicit GuardedNetwork(QObject *parent = nullptr);
    ~GuardedNetwork() override;

    QNetworkReply *get(const QUrl &url, const ReplyGuard::Limits &limits);
    // A multipart form upload; the body belongs to the reply from here on.
    QNetworkReply *post(const QUrl &url, QHttpMultiPart *body, const ReplyGuard::Limits &limits);

signals:
    // Every reply once, its guard settled; the receiver deletes it later.
    void finished(QNetworkReply *reply);

private:
    void replyFinished(QNetworkReply *reply);
    void parkManager();
    static void endConnectionsOf(const QUrl &url);
    void disposeIfIdle(QNetworkAccessManager *manager);

    QNetworkAccessManager *m_manager;
    QList<QPointer<QNetworkAccessManager>> m_parked;
};
