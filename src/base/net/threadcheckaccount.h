#pragma once

#include <QObject>
#include <QString>

#include <atomic>

class GuardedNetwork;
class QNetworkReply;
class QTimer;

// Asks the portal once a period whether the logged-in account is still valid and
// reports the portal's code and message when it is not. Lives on a worker thread;
// the main window talks to it only through queued signals. One check at a time:
// a new login replaces the running check, logout stops it.
class ThreadCheckAccount : public QObject
{
    Q_OBJECT
public:
    static constexpr int defaultPeriodMs = 60000;
    static constexpr int accountOkCode = 200;

    explicit ThreadCheckAccount(QObject *parent = nullptr);

    // Test hook: the check period, read at the next onCheckAccount.
    void setPeriod(int ms) { m_periodMs = ms; }
    int period() const { return m_periodMs; }
    // Test hook: the overall deadline of each check request.
    void setRequestDeadline(int ms) { m_deadlineMs = ms; }

signals:
    void signalLoginError(int code, QString msg);

public slots:
    void onCheckAccount(int platUserId, int userid, QString token);
    void onTimerLater();
    void onReplyFinish(QNetworkReply *reply);
    void onStopCheck();

private:
    void ensureTimer();
    QString checkAddress(const QString &token) const;

    QTimer *m_timer = nullptr;
    GuardedNetwork *m_network = nullptr;
    int m_platUserId = 0;
    int m_userId = 0;
    QString m_token;
    // Replies of a replaced or stopped check are ignored: they speak of an old login.
    int m_generation = 0;
    std::atomic<int> m_periodMs{defaultPeriodMs};
    std::atomic<int> m_deadlineMs{0};
};
