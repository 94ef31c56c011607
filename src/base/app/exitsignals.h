#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP, the ways a desktop logout, a terminal or a
// service manager ask the program to end, turned into a signal of the event
// loop, so that the program ends as it does on its own. The handler does
// nothing but write the number to a pipe; the event loop reads it. A request
// that comes before the loop runs waits in the pipe; one that comes after the
// watcher has gone is absorbed, since the program is already ending then.
// One watcher per process.
class ExitSignals : public QObject
{
    Q_OBJECT
public:
    explicit ExitSignals(QObject *parent = nullptr);
    ~ExitSignals() override;

signals:
    void signalReceived(int signalNumber);

private slots:
    void readPipe();

private:
    void install();

    QSocketNotifier *m_notifier = nullptr;
};
