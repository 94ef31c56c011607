#pragma once

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QThread>

#include <atomic>

class HttpRequest;

// Re-sends the login token to the portal once a period, so that the portal sees
// it in use. The identity is handed over by the main window at each login and
// logout (setIdentity); the thread never reads the GUI thread's cookie jar.
class TokenDelayThread : public QThread
{
    Q_OBJECT
public:
    static constexpr int defaultPeriodMs = 3600000;

    explicit TokenDelayThread(QObject *parent = nullptr);
    ~TokenDelayThread() override;

    // Test hook: the refresh period, to be set before start().
    void setPeriod(int ms) { m_periodMs = ms; }
    int period() const { return m_periodMs; }

    // "datatype=user&sign=user_checkloginstatus&user_id=..&user_token=..&key=.."
    static QString refreshText(const QString &userId, const QString &token);

public slots:
    void handlerCheckToken(QByteArray reply);
    // Empty values (logout) stop the refresh until the next login.
    void setIdentity(QString userId, QString token);

protected:
    void run() override;

private:
    void checkToken(HttpRequest *request);
    bool identity(QString *userId, QString *token) const;

    mutable QMutex m_identityMutex;
    QString m_userId;
    QString m_token;
    std::atomic<int> m_periodMs{defaultPeriodMs};
};
