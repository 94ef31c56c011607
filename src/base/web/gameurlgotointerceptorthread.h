#pragma once

#include <QThread>

// Fetches the portal's diverting rules once at start and writes them into the
// rules file, from a thread of its own; then ends.
class GameUrlGotoInterceptorThread : public QThread
{
    Q_OBJECT
public:
    explicit GameUrlGotoInterceptorThread(QObject *parent = nullptr);
    ~GameUrlGotoInterceptorThread() override;

signals:
    // The rules file was written anew.
    void signalRulesWritten();

protected:
    void run() override;
};
