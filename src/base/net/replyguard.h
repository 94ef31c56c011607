#pragma once

#include "net/bodydecoder.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QNetworkReply;
class QNetworkRequest;
class QTimer;
class QUrl;

// Watches one portal reply to its end: decodes the body as it arrives and
// aborts the transfer once it passes its size limit, or once its overall
// deadline passes, however slowly the bytes keep coming. It lives as a child
// of the reply; the reply's owner reads the outcome from it.
class ReplyGuard : public QObject
{
    Q_OBJECT
public:
    struct Limits
    {
        qint64 maxBytes;
        int deadlineMs;   // the whole transfer, headers included
        int idleMs;       // no byte at all for this long
    };
    // JSON and bare words.
    static Limits apiLimits();
    static Limits pictureLimits();
    static Limits skinLimits();

    enum class Failure { None, Transport, TooLarge, Deadline, Unreadable, Cancelled };

    // The request as a guarded reply needs it: it decodes the body itself.
    static QNetworkRequest request(const QUrl &url, const Limits &limits);
    // Starts watching a reply made from request(); the guard dies with it.
    static ReplyGuard *watch(QNetworkReply *reply, const Limits &limits);
    // The guard of a watched reply, or nullptr.
    static ReplyGuard *of(const QNetworkReply *reply);

    // Aborts the transfer; its owner is to ignore it (Failure::Cancelled).
    void cancel();
    // Reads the outcome of the finished reply; once, whoever calls first.
    void settle();

    Failure failure() const { return m_failure; }
    bool succeeded() const { return m_done && m_failure == Failure::None; }
    // Whether the reply's headers had ended when it failed.
    bool headersEnded() const { return m_headersEnded; }
    QByteArray body() const { return m_decoder.body(); }
    // What went wrong, fit for the log: never the address, which may carry
    // sealed data.
    QString failureText() const;

private:
    ReplyGuard(QNetworkReply *reply, const Limits &limits);
    void readArrived();
    void stop(Failure failure);

    QNetworkReply *m_reply;
    Limits m_limits;
    BodyDecoder m_decoder;
    QTimer *m_deadline;
    Failure m_failure = Failure::None;
    bool m_encodingRead = false;
    bool m_headersEnded = false;
    bool m_done = false;
    int m_networkError = 0;
    int m_httpStatus = 0;
};
