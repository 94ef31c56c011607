#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

class QLocalSocket;

// One connection to the single-instance socket, read as its data comes: the
// text ends when the other side hangs up. A connection that sends more than
// the limit, or goes quiet for longer than the idle time, is dropped without
// a message. Deletes itself, and its socket, when it is done.
class MessageConnection : public QObject
{
    Q_OBJECT
public:
    static constexpr int maxBytes = 4096;

    MessageConnection(QLocalSocket *socket, int idleTimeoutMs, QObject *parent = nullptr);

signals:
    void messageReceived(const QByteArray &text);

private slots:
    void begin();
    void readAvailable();
    void finish();
    void drop();

private:
    QLocalSocket *m_socket;
    QTimer m_idle;
    QByteArray m_text;
    bool m_done = false;
};
