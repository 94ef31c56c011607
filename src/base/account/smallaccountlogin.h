#pragma once

#include "net/identity.h"
#include "account/sqlite.h"

#include <QObject>
#include <QString>

#include <functional>

class HttpRequest;
class QWebEngineCookieStore;
struct AccountReply;

// Logs a stored small account in afresh, with its stored name and digest, for
// the manager's play buttons and the side bar's tiles: the reply becomes the
// identity cookies of that account's own profile (never the main one's) and
// its row in box_user is brought up to date. One login at a time: a start
// while one is out sends nothing.
class SmallAccountLogin : public QObject
{
    Q_OBJECT
public:
    // The cookie store of the profile named after a user id.
    using CookieStoreFor = std::function<QWebEngineCookieStore *(const QString &userId)>;

    SmallAccountLogin(Sqlite *store, CookieStoreFor storeFor, QObject *parent = nullptr);

    // False, and nothing sent, while a login is out or without a stored row:
    // the latter is reported through signalFailed.
    bool start(const QString &userName);
    bool isBusy() const { return m_busy; }
    HttpRequest *request() const { return m_request; }

    // The message for a reply that logs nobody in; empty for a login.
    static QString problemOf(const AccountReply &reply);
    // Whether the text is a portal user id: a positive decimal number.
    static bool isUserId(const QString &text);
    // What box_user keeps of the login: id, nickname, e-mail, login time.
    static AccountRow loginRow(const Identity &who);

signals:
    void signalLoggedIn(Identity who);
    void signalFailed(QString message);

private:
    void handlerLoginResult(const QByteArray &reply);
    void handlerLoginFailed(const QString &error);
    void writeCookies(const Identity &who);

    Sqlite *m_store;
    CookieStoreFor m_storeFor;
    HttpRequest *m_request;
    bool m_busy = false;
};
