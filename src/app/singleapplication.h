#pragma once

#include <QApplication>
#include <QPointer>

class InstanceGuard;

// Lets only one copy of the client run per user: a second start wakes the
// first one over the user's private local socket (InstanceGuard) and then ends.
class SingleApplication : public QApplication
{
    Q_OBJECT
public:
    SingleApplication(int &argc, char **argv);

    bool isRunning() const { return m_running; }
    // The path of the socket that the first copy serves.
    QString serverName() const;

    // The window that a second start brings to the front.
    QPointer<QWidget> w;

private slots:
    void newLocalConnection();

private:
    void initLocalConnection();

    bool m_running = false;
    InstanceGuard *m_guard;
};
