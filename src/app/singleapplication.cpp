#include "singleapplication.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTextStream>
#include <QWidget>

namespace {
constexpr int kConnectTimeoutMs = 500;
constexpr int kWriteTimeoutMs = 30000;
constexpr int kReadTimeoutMs = 1000;
}

SingleApplication::SingleApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    m_serverName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    initLocalConnection();
}

void SingleApplication::initLocalConnection()
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName, QIODevice::ReadWrite);
    if (!socket.waitForConnected(kConnectTimeoutMs)) {
        newLocalServer();
        return;
    }
    m_running = true;
    // The first copy does not interpret the text; it only marks the wake-up.
    const QStringList args = QCoreApplication::arguments();
    QTextStream stream(&socket);
    stream << (args.size() >= 2 ? args.last() : QString());
    stream.flush();
    socket.waitForBytesWritten(kWriteTimeoutMs);
}

void SingleApplication::newLocalServer()
{
    m_localServer = new QLocalServer(this);
    connect(m_localServer, &QLocalServer::newConnection, this, &SingleApplication::newLocalConnection);
    if (m_localServer->listen(m_serverName))
        return;
    // A copy that crashed leaves its socket behind; nobody answers on it, so take it over.
    if (m_localServer->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(m_serverName);
        m_localServer->listen(m_serverName);
    }
}

void SingleApplication::newLocalConnection()
{
    QLocalSocket *socket = m_localServer->nextPendingConnection();
    if (!socket)
        return;
    socket->waitForReadyRead(kReadTimeoutMs);
    QTextStream stream(socket);
    Q_UNUSED(stream.readAll());
    delete socket;
    if (!w)
        return;
    w->raise();
    w->activateWindow();
    w->setWindowState((w->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    w->show();
}
