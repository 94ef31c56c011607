#include "app/messageconnection.h"

#include <QDebug>
#include <QLocalSocket>

MessageConnection::MessageConnection(QLocalSocket *socket, int idleTimeoutMs, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
{
    socket->setParent(this);
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleTimeoutMs);
    connect(&m_idle, &QTimer::timeout, this, &MessageConnection::drop);
    connect(socket, &QLocalSocket::readyRead, this, &MessageConnection::readAvailable);
    connect(socket, &QLocalSocket::disconnected, this, &MessageConnection::finish);
    m_idle.start();
    // Once the owner has connected to messageReceived.
    QMetaObject::invokeMethod(this, &MessageConnection::begin, Qt::QueuedConnection);
}

// What came with the connection, or a hang-up before it was accepted.
void MessageConnection::begin()
{
    readAvailable();
    if (m_socket->state() != QLocalSocket::ConnectedState)
        finish();
}

void MessageConnection::readAvailable()
{
    if (m_done)
        return;
    m_text += m_socket->read(maxBytes + 1 - m_text.size());
    if (m_text.size() > maxBytes) {
        qDebug() << "MessageConnection: more than" << maxBytes << "bytes, dropped";
        drop();
        return;
    }
    m_idle.start();
}

void MessageConnection::finish()
{
    if (m_done)
        return;
    readAvailable();
    if (m_done)
        return;
    m_done = true;
    m_idle.stop();
    emit messageReceived(m_text);
    deleteLater();
}

void MessageConnection::drop()
{
    if (m_done)
        return;
    m_done = true;
    m_idle.stop();
    m_socket->abort();
    deleteLater();
}
