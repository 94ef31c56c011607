#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QVector>

// Ends this process's TCP connections to one peer from our side, beneath the
// network library. A portal that sends header lines without end keeps Qt's
// network thread reading them, holding every line in memory and a core busy,
// and no abort reaches that thread while the lines keep coming; a shut-down
// socket reads as closed, so the thread gets out and lets go of them.
// Linux only; elsewhere nothing is found.
class ConnectionShutdown
{
public:
    struct Connection
    {
        int fd = -1;
        quint64 inode = 0;   // the same descriptor number may be another socket later
        QHostAddress peer;
    };

    // The connections open right now to any address on that port.
    static QVector<Connection> openTo(quint16 port);

    // Shuts down those of them that are still the same sockets and lead to
    // one of the addresses; how many it shut down.
    static int shutDown(const QVector<Connection> &connections, const QList<QHostAddress> &addresses);

    // Finds the connections to the URL's host and port now, resolves the host
    // without blocking, then shuts them down. Connections opened meanwhile are
    // left alone.
    static void shutDownConnectionsTo(const QString &host, quint16 port);
};
