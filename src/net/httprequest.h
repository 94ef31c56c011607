#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// One GET at a time or many: each result arrives on one of the two signals, in
// completion order. Every request carries a transfer timeout, so a portal that
// never answers ends as a failure instead of leaving the caller waiting.
class HttpRequest : public QObject
{
    Q_OBJECT
public:
    static constexpr int defaultTimeoutMs = 15000;

    explicit HttpRequest(QObject *parent = nullptr);
    ~HttpRequest() override;

    void get(const QUrl &url);
    void setTimeout(int ms);
    int timeout() const { return m_timeoutMs; }

signals:
    void signalHttpFailed(QString str);
    void signalHttpSuccess(QByteArray str);

public slots:
    void requestFinish(QNetworkReply *reply);

private:
    QNetworkAccessManager *m_manager;
    int m_timeoutMs = defaultTimeoutMs;
};
