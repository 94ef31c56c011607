#pragma once

#include "net/identity.h"
#include "account/sqlite.h"

#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class HttpRequest;
class QWebEngineCookieStore;
class Session;
struct AccountReply;

// Every login of the client at the portal's gateway: the main login, a small
// account's check when it is added, and a stored small account logging in to
// play (the manager's buttons, the side bar's tiles, a game coming back). The
// service seals the name and digest and sends them, reads the reply, writes
// the identity cookies into the account's own profile, keeps the account's
// row in box_user and announces who is logged in. Windows ask it and show the
// answer. One attempt at a time: a login while one is out sends nothing.
class LoginService : public QObject
{
    Q_OBJECT
public:
    enum Kind {
        // The main account: its cookies go into the main session (a login
        // after another starts from an empty jar); its row as the login
        // dialog's options say.
        MainAccount,
        // A stored small account: its cookies go into the profile named after
        // its user id, never the main one; its row is brought up to date.
        SmallAccount,
        // A small account being added: no cookies; its row is kept as a small
        // account of the main account. An unknown name is not a failure but
        // an offer to register it.
        SmallAccountCheck,
    };

    // What one attempt sends and what its row keeps.
    struct Attempt
    {
        QString userName;
        QString digest;         // lower-case hexadecimal MD5 of the password
        bool remember = false;  // main account: keep the digest for the next start
        bool autoLogin = false; // main account: log in by itself at the next start
        QString mainUserId;     // small account check: the account it belongs to
    };

    // The cookie store of the profile named after a user id.
    using CookieStoreFor = std::function<QWebEngineCookieStore *(const QString &userId)>;

    LoginService(Kind kind, Sqlite *store, QObject *parent = nullptr);

    Kind kind() const { return m_kind; }
    // Where the main account's cookies go.
    void setSession(Session *session);
    Session *session() const;
    // Where a small account's cookies go.
    void setCookieStoreFor(CookieStoreFor storeFor);
    HttpRequest *request() const { return m_request; }

    // False, and nothing sent, while an attempt is out.
    bool login(const Attempt &attempt);
    // A stored account with its stored digest. False, and nothing sent, while
    // an attempt is out or without a stored row: the latter is reported
    // through signalFailed.
    bool loginStored(const QString &userName);
    // Forgets the attempt out: its reply, should it come, changes nothing.
    void cancel();
    bool isBusy() const { return m_busy; }
    // The last login's reply as the portal sent it, for what windows show of
    // it (level, balance, points).
    QJsonObject lastReply() const { return m_reply; }

    // The message for a reply that logs nobody in, in the words each kind of
    // login uses; empty for a login.
    static QString problemOf(const AccountReply &reply, Kind kind);
    // Whether the text is a portal user id: a positive decimal number.
    static bool isUserId(const QString &text);
    // What box_user keeps of a login of this kind.
    static AccountRow rowOf(Kind kind, const QJsonObject &reply, const Attempt &attempt);

signals:
    void signalLoggedIn(Identity who);
    void signalFailed(QString message);
    // A small account check of a name the portal does not know.
    void signalUnknownAccount(QString message);

private:
    void handlerLoginResult(const QByteArray &reply);
    void handlerLoginFailed(const QString &error);
    void writeCookies(const Identity &who);
    void writeMainCookies(const Identity &who);

    Kind m_kind;
    Sqlite *m_store;
    QPointer<Session> m_session;
    CookieStoreFor m_storeFor;
    HttpRequest *m_request;
    Attempt m_attempt;
    QJsonObject m_reply;
    bool m_busy = false;
};
