#pragma once

#include <QList>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QPointer>
#include <QString>

class QWebEngineCookieStore;

// The client's view of who is logged in: a jar bound to one web profile's cookie
// store. Cookies written here go into the store, so every page of that profile
// sees them; cookies the store reports are kept too, in arrival order, and looked
// up by name. Lives on the GUI thread.
class NetworkCookie : public QNetworkCookieJar
{
public:
    explicit NetworkCookie(QWebEngineCookieStore *store);

    // The first cookie of that name, or an empty cookie when there is none.
    QNetworkCookie getCookie(const QString &name) const;
    // A lifetime of 0 (what every login passes) makes a session cookie.
    void setCookie(const QString &name, const QString &value, const QString &path, int lifetime,
                   const QString &domain, bool secure, bool httpOnly);
    void clearCookies();

private:
    void onStoreCookie(const QNetworkCookie &cookie);
    void onStoreCookieRemoved(const QNetworkCookie &cookie);
    void dropFromList(const QNetworkCookie &cookie, bool sameValueOnly);

    QPointer<QWebEngineCookieStore> m_store;
    QList<QNetworkCookie> m_cookies;
};
