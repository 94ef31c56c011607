#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One copy of a program per user. The copies meet in a folder that only the
// user can enter: $XDG_RUNTIME_DIR, else <temp>/korvo-<uid>, else
// <cache>/korvo-<uid>; a folder that is not the user's own is passed over.
// The copy that takes the lock file there is the first one and serves a
// socket beside it, open to the user alone; a later copy hands its text over
// that socket and ends. Connections are read as their data comes, never
// waited on, with a size limit and an idle limit.
class InstanceGuard : public QObject
{
    Q_OBJECT
public:
    enum Role { First, Second };

    static constexpr int handOverTimeoutMs = 2000;
    static constexpr int defaultIdleTimeoutMs = 2000;

    explicit InstanceGuard(const QString &name, QObject *parent = nullptr);
    ~InstanceGuard() override;

    // Decided before any application object exists, so that a second copy
    // starts no window system, web engine, database or ini file: it hands its
    // last argument to the first copy and gets null. Otherwise the guard of
    // the first copy, not yet serving. Copies meet under the program's file name.
    static std::unique_ptr<InstanceGuard> claimOrHandOver(int argc, char **argv);

    // First: this copy holds the lock, or no private folder could be had and
    // it runs unguarded. Second: another copy holds the lock.
    Role claim();
    // For a second copy: delivers the text to the first copy; false when it
    // did not answer within the hand-over time.
    bool handOver(const QByteArray &text);
    // For a first copy that claimed before the application object existed:
    // starts serving the socket. Does nothing otherwise.
    void serve();

    QString socketPath() const;
    bool isListening() const;
    // How long a connection may stay silent before it is dropped.
    void setIdleTimeout(int ms) { m_idleTimeoutMs = ms; }

    // The folder the copies of this user meet in; empty when there is none.
    static QString runtimeFolder();

signals:
    void messageReceived(const QByteArray &text);

private slots:
    void acceptConnections();

private:
    void listen();
    bool removeStaleSocket();
    bool connectToFirst(QLocalSocket &socket, int timeoutMs);
    static bool send(QLocalSocket &socket, const QByteArray &text, int timeoutMs);

    QString m_name;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    int m_idleTimeoutMs = defaultIdleTimeoutMs;
};
