#include "app/instanceguard.h"

#include "app/messageconnection.h"
#include "app/wakemessage.h"
#include "app/privatefiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace {
constexpr int kConnectRetryMs = 20;

QString userFolderIn(const QString &base)
{
    if (base.isEmpty())
        return QString();
    return base + QStringLiteral("/korvo-") + QString::number(::geteuid());
}
}

InstanceGuard::InstanceGuard(const QString &name, QObject *parent)
    : QObject(parent)
    , m_name(name)
    , m_folder(runtimeFolder())
{
}

InstanceGuard::~InstanceGuard()
{
    // The socket goes before the lock: a copy that takes the lock next must
    // not find its new socket removed by this one's closing.
    delete m_server;
}

QString InstanceGuard::runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && PrivateFiles::isPrivateFolder(runtime))
        return runtime;
    // Anybody can make these first; one that is not the user's own is passed over.
    for (const QString &folder : {userFolderIn(QDir::tempPath()),
                                  userFolderIn(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))}) {
        if (!folder.isEmpty() && PrivateFiles::makeFolder(folder) && PrivateFiles::isPrivateFolder(folder))
            return folder;
    }
    return QString();
}

QString InstanceGuard::socketPath() const
{
    return m_folder.isEmpty() ? QString() : m_folder + QLatin1Char('/') + m_name + QStringLiteral(".socket");
}

bool InstanceGuard::isListening() const
{
    return m_server && m_server->isListening();
}

InstanceGuard::Role InstanceGuard::claim()
{
    if (m_folder.isEmpty()) {
        qWarning() << "InstanceGuard: no private folder for the single-instance socket; running unguarded";
        return First;
    }
    m_lock = std::make_unique<QLockFile>(m_folder + QLatin1Char('/') + m_name + QStringLiteral(".lock"));
    // Stale only when its process has gone, however long a first copy runs.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        // Sockets need the application's event loop; before it exists, serve() starts them.
        if (QCoreApplication::instance())
            listen();
        return First;
    }
    if (m_lock->error() == QLockFile::LockFailedError)
        return Second;
    qWarning() << "InstanceGuard: the lock file cannot be used; running unguarded";
    return First;
}

void InstanceGuard::serve()
{
    if (m_lock && m_lock->isLocked() && !m_server)
        listen();
}

void InstanceGuard::listen()
{
    if (!removeStaleSocket()) {
        qWarning().noquote() << QStringLiteral("InstanceGuard: ") + socketPath()
                + QStringLiteral(" belongs to another user; not listening");
        return;
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceGuard::acceptConnections);
    if (!m_server->listen(socketPath()))
        qWarning().noquote() << QStringLiteral("InstanceGuard: cannot listen: ") + m_server->errorString();
}

// With the lock held, a socket at the path is one that an ended copy left
// behind: it goes, unless it is not the user's.
bool InstanceGuard::removeStaleSocket()
{
    const QString path = socketPath();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    return PrivateFiles::isOwn(path) && QFile::remove(path);
}

void InstanceGuard::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        auto *connection = new MessageConnection(socket, m_idleTimeoutMs, this);
        connect(connection, &MessageConnection::messageReceived, this, &InstanceGuard::messageReceived);
    }
}

bool InstanceGuard::handOver(const QByteArray &text)
{
    const QDeadlineTimer deadline(handOverTimeoutMs);
    QLocalSocket socket;
    if (!connectToFirst(socket, handOverTimeoutMs))
        return false;
    return send(socket, text, static_cast<int>(deadline.remainingTime()));
}

// The first copy may be between taking the lock and listening: ask again
// until the time is up. Only a socket of the user's own is ever asked.
bool InstanceGuard::connectToFirst(QLocalSocket &socket, int timeoutMs)
{
    const QString path = socketPath();
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (PrivateFiles::isOwn(path)) {
            socket.connectToServer(path);
            if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
                return true;
            socket.abort();
        }
        QThread::msleep(kConnectRetryMs);
    }
    qWarning().noquote() << QStringLiteral("InstanceGuard: no answer on ") + path;
    return false;
}

// The text ends where the connection does.
bool InstanceGuard::send(QLocalSocket &socket, const QByteArray &text, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    socket.write(text);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(static_cast<int>(deadline.remainingTime()));
    return true;
}

std::unique_ptr<InstanceGuard> InstanceGuard::claimOrHandOver(int argc, char **argv)
{
    const QString name = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    auto guard = std::make_unique<InstanceGuard>(name);
    if (guard->claim() == First)
        return guard;
    // The first copy does not interpret the text; it only marks the wake-up.
    // Cut to what the first copy reads, so an overlong address is told as
    // invalid there instead of being dropped without a word. The desktop's
    // token for this start goes along: with it the running copy may come to the front.
    WakeMessage wake;
    wake.token = WakeMessage::tokenFrom(qgetenv("XDG_ACTIVATION_TOKEN"), qgetenv("DESKTOP_STARTUP_ID"));
    const int room = MessageConnection::maxBytes - wake.compose().size();
    wake.text = argc >= 2 ? QByteArray(argv[argc - 1]).left(room) : QByteArray();
    if (guard->handOver(wake.compose()))
        return nullptr;
    // A first copy that never answers must not leave the user without a window.
    qWarning() << "InstanceGuard: the running copy did not answer; starting anyway";
    return guard;
}
