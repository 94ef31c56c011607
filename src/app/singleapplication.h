#pragma once

#include <QApplication>
#include <QPointer>

class QLocalServer;

// Lets only one copy of the client run per user: a second start wakes the
// first one over a local socket named after the executable and then ends.
class SingleApplication : public QApplication
{
    Q_OBJECT
public:
    SingleApplication(int &argc, char **argv);

    bool isRunning() const { return m_running; }
    QString serverName() const { return m_serverName; }

    // The window that a second start brings to the front.
    QPointer<QWidget> w;

private slots:
    void newLocalConnection();

private:
    void initLocalConnection();
    void newLocalServer();

    bool m_running = false;
    QLocalServer *m_localServer = nullptr;
    QString m_serverName;
};
