#pragma once

#include "net/identity.h"

#include <QObject>
#include <QPointer>

class NetworkCookie;
class QWebEngineCookieStore;

// The main account's login as the whole client sees it: the current cookie
// jar over the main profile's cookie store. Windows, the tab manager and the
// toolbars ask it who is logged in instead of reading cookies themselves.
class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(QObject *parent = nullptr);

    void setCookieStore(QWebEngineCookieStore *store);
    QWebEngineCookieStore *cookieStore() const;

    // The session owns the jar from here on; a jar deleted elsewhere is noticed.
    void setCookieJar(NetworkCookie *jar);
    NetworkCookie *cookieJar() const;
    // The current jar, or a new one over the store when there is none.
    NetworkCookie *ensureCookieJar();
    // Empties and drops the current jar, clears the store and starts a new jar
    // over it: what a second login and a logout do.
    void resetCookieJar();

    QString cookieValue(const QString &name) const;
    Identity identity() const;
    bool isLoggedIn() const { return identity().isLoggedIn(); }

private:
    QPointer<QWebEngineCookieStore> m_store;
    QPointer<NetworkCookie> m_jar;
};
