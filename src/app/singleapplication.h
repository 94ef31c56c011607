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
    // InstanceGuard::claimOrHandOver: null for a second copy, which has
    // handed over; otherwise the guard the application is then built with.
    static std::unique_ptr<InstanceGuard> claimOrHandOver(int argc, char **argv);

    SingleApplication(int &argc, char **argv, std::unique_ptr<InstanceGuard> guard);

    // The path of the socket that the first copy serves.
    QString serverName() const;

    // The window that a second start brings to the front.
    QPointer<QWidget> w;

signals:
    // The text a later start handed over (its last argument); never empty.
    void signalMessageReceived(QString text);

private slots:
    void newLocalConnection(const QByteArray &text);

private:
    InstanceGuard *m_guard;
};
