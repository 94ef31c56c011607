#include "net/guardednetwork.h"

#include "net/connectionshutdown.h"

#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>

namespace {
// Where replaced managers are destroyed. Never stopped: a manager whose
// network thread is still busy with an endless reply may wait there.
QThread *disposalThread()
{
    static QThread *thread = [] {
        auto *disposal = new QThread;
        disposal->setObjectName(QStringLiteral("network disposal"));
        disposal->start();
        return disposal;
    }();
    return thread;
}

bool hasOpenReply(const QNetworkAccessManager *manager)
{
    for (const QNetworkReply *reply : manager->findChildren<QNetworkReply *>()) {
        if (!reply->isFinished())
            return true;
    }
    return false;
}

// Destroys a manager once it is out of its own signals: here when its network
// thread is idle, on the disposal thread when it may still be busy. Its replies
// never go along: a reply starts its transfer timer through a queued call, and
// a move to another thread in between leaves a timer registered there that
// fires at the reply once it is gone.
void dispose(QNetworkAccessManager *manager, bool mayBeBusy)
{
    const auto handOver = [manager] {
        qDeleteAll(manager->findChildren<QNetworkReply *>(QString(), Qt::FindDirectChildrenOnly));
        manager->moveToThread(disposalThread());
        manager->deleteLater();
    };
    // A worker thread that is ending (its objects are being deleted after its
    // loop) runs no posted event any more: what is left to it must go now.
    if (!QThread::currentThread()->isRunning()) {
        if (mayBeBusy)
            handOver();
        else
            delete manager;
        return;
    }
    if (!mayBeBusy) {
        manager->deleteLater();
        return;
    }
    // Out of the manager's own signal first.
    QTimer::singleShot(0, manager, handOver);
}

bool wasCutShort(const QNetworkReply *reply)
{
    // Ended by the guard or by Qt's idle timeout while the headers were still
    // out: the connection may still be busy reading them.
    const ReplyGuard *guard = ReplyGuard::of(reply);
    // A reply the client itself gave up (a newer login, a logout picture) leaves
    // a connection that answered normally so far: its manager stays.
    return guard && !guard->succeeded() && !guard->headersEnded()
        && guard->failure() != ReplyGuard::Failure::Cancelled
        && reply->error() == QNetworkReply::OperationCanceledError;
}
}

GuardedNetwork::GuardedNetwork(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager)
{
    connect(m_manager, &QNetworkAccessManager::finished, this, &GuardedNetwork::replyFinished);
}

GuardedNetwork::~GuardedNetwork()
{
    // A reply finishing while this object is half destroyed must not reach it.
    m_manager->disconnect(this);
    dispose(m_manager, hasOpenReply(m_manager));
    for (const QPointer<QNetworkAccessManager> &manager : qAsConst(m_parked)) {
        if (!manager)
            continue;
        manager->disconnect(this);
        dispose(manager, true);
    }
}

QNetworkReply *GuardedNetwork::get(const QUrl &url, const ReplyGuard::Limits &limits)
{
    QNetworkReply *reply = m_manager->get(ReplyGuard::request(url, limits));
    ReplyGuard::watch(reply, limits);
    return reply;
}

QNetworkReply *GuardedNetwork::post(const QUrl &url, QHttpMultiPart *body, const ReplyGuard::Limits &limits)
{
    QNetworkReply *reply = m_manager->post(ReplyGuard::request(url, limits), body);
    body->setParent(reply);
    ReplyGuard::watch(reply, limits);
    return reply;
}

void GuardedNetwork::replyFinished(QNetworkReply *reply)
{
    // The manager reports a reply before the reply's own finished reaches its guard.
    if (ReplyGuard *guard = ReplyGuard::of(reply))
        guard->settle();
    QNetworkAccessManager *manager = reply->manager();
    if (manager == m_manager && wasCutShort(reply)) {
        parkManager();
        endConnectionsOf(reply->url());
    }
    emit finished(reply);
    if (m_parked.contains(manager))
        disposeIfIdle(manager);
}

void GuardedNetwork::parkManager()
{
    // Its other replies still end through this object.
    m_parked.append(m_manager);
    m_manager = new QNetworkAccessManager;
    connect(m_manager, &QNetworkAccessManager::finished, this, &GuardedNetwork::replyFinished);
}

void GuardedNetwork::endConnectionsOf(const QUrl &url)
{
    // The parked manager's thread may be stuck reading the cut-short reply's
    // headers: its connection is ended beneath it, together with whatever
    // else of this process leads to that portal at this moment (the next
    // request of each reconnects).
    const quint16 port = quint16(url.port(url.scheme() == QLatin1String("https") ? 443 : 80));
    ConnectionShutdown::shutDownConnectionsTo(url.host(), port);
}

void GuardedNetwork::disposeIfIdle(QNetworkAccessManager *manager)
{
    if (hasOpenReply(manager))
        return;
    m_parked.removeAll(manager);
    manager->disconnect(this);
    dispose(manager, true);
}
