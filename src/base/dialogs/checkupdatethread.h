#pragma once

#include <QObject>
#include <QString>

class HttpRequest;

// Asks the portal once, on its own thread, whether a newer client exists.
// The skip choice is handed over before the worker moves to its thread and
// never written afterwards.
class CheckUpdateThread : public QObject
{
    Q_OBJECT
public:
    CheckUpdateThread(bool skipping, const QString &skippedVersion, QObject *parent = nullptr);

signals:
    // A newer version that the user has not chosen to skip.
    void newVersion();
    // The question is answered or has failed; the thread may end.
    void signalDone();

public slots:
    void checkUpdate();

private:
    void handlerReply(const QByteArray &body);

    bool m_skipping;
    QString m_skippedVersion;
    HttpRequest *m_request = nullptr;
};
