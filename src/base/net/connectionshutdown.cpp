#include "net/connectionshutdown.h"

#include <QDir>
#include <QHostInfo>

#include <algorithm>

#ifdef Q_OS_LINUX
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#endif

namespace {
#ifdef Q_OS_LINUX
quint64 socketInode(int fd)
{
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISSOCK(info.st_mode))
        return 0;
    return quint64(info.st_ino);
}

bool peerOf(int fd, QHostAddress *address, quint16 *port)
{
    sockaddr_storage peer{};
    socklen_t length = sizeof(peer);
    if (::getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &length) != 0)
        return false;
    if (peer.ss_family == AF_INET) {
        const auto *v4 = reinterpret_cast<const sockaddr_in *>(&peer);
        address->setAddress(reinterpret_cast<const sockaddr *>(v4));
        *port = ntohs(v4->sin_port);
        return true;
    }
    if (peer.ss_family == AF_INET6) {
        const auto *v6 = reinterpret_cast<const sockaddr_in6 *>(&peer);
        address->setAddress(reinterpret_cast<const sockaddr *>(v6));
        *port = ntohs(v6->sin6_port);
        return true;
    }
    return false;
}
#endif

// An IPv4 address seen through an IPv6 socket counts as itself.
bool sameAddress(const QHostAddress &a, const QHostAddress &b)
{
    return a.isEqual(b, QHostAddress::TolerantConversion);
}
}

QVector<ConnectionShutdown::Connection> ConnectionShutdown::openTo(quint16 port)
{
    QVector<Connection> found;
#ifdef Q_OS_LINUX
    const QStringList descriptors = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System);
    for (const QString &name : descriptors) {
        bool number = false;
        const int fd = name.toInt(&number);
        if (!number)
            continue;
        Connection connection;
        connection.fd = fd;
        connection.inode = socketInode(fd);
        quint16 peerPort = 0;
        if (connection.inode != 0 && peerOf(fd, &connection.peer, &peerPort) && peerPort == port)
            found.append(connection);
    }
#else
    Q_UNUSED(port)
#endif
    return found;
}

int ConnectionShutdown::shutDown(const QVector<Connection> &connections, const QList<QHostAddress> &addresses)
{
    int count = 0;
#ifdef Q_OS_LINUX
    for (const Connection &connection : connections) {
        const bool wanted = std::any_of(addresses.cbegin(), addresses.cend(),
                                        [&](const QHostAddress &a) { return sameAddress(a, connection.peer); });
        if (wanted && socketInode(connection.fd) == connection.inode && ::shutdown(connection.fd, SHUT_RDWR) == 0)
            ++count;
    }
#else
    Q_UNUSED(connections)
    Q_UNUSED(addresses)
#endif
    return count;
}

void ConnectionShutdown::shutDownConnectionsTo(const QString &host, quint16 port)
{
    const QVector<Connection> connections = openTo(port);
    if (connections.isEmpty())
        return;
    const QHostAddress literal(host);
    if (!literal.isNull()) {
        shutDown(connections, {literal});
        return;
    }
    QHostInfo::lookupHost(host, [connections](const QHostInfo &info) { shutDown(connections, info.addresses()); });
}
