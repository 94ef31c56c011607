#pragma once

#include <QApplication>
#include <QPointer>

#include <memory>

class InstanceGuard;

// Lets only one copy of the client run per user: a second start wakes the
// first one over the user's private local socket (InstanceGuard) and then ends.
class SingleApplication : public QApplication
{
    Q_OBJECT
public:
    // Built with the guard of InstanceGuard::claimOrHandOver, which the
    // first copy gets before any application object exists.
    SingleApplication(int &argc, char **argv, std::unique_ptr<InstanceGuard> guard);

    // The path of the socket that the first copy serves.
    QString serverName() const;

    // The window that a second start brings to the front.
    QPointer<QWidget> w;

signals:
    // The text a later start handed over (its last argument); never empty.
    void signalMessageReceived(QString text);
    // A later start with "--toggle": the window is to be shown or hidden.
    void signalToggleRequested();

private slots:
    void newLocalConnection(const QByteArray &message);

private:
    InstanceGuard *m_guard;
};
