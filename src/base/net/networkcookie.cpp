#include "net/networkcookie.h"

#include <QDateTime>
#include <QWebEngineCookieStore>

namespace {

// The store reports a domain cookie as ".example.com" whether or not it was
// written with the dot.
QString bareDomain(const QString &domain)
{
    return domain.startsWith(QLatin1Char('.')) ? domain.mid(1) : domain;
}

bool sameCookie(const QNetworkCookie &a, const QNetworkCookie &b, bool sameValueOnly)
{
    return a.name() == b.name() && a.path() == b.path()
        && bareDomain(a.domain()) == bareDomain(b.domain())
        && (!sameValueOnly || a.value() == b.value());
}
}

NetworkCookie::NetworkCookie(QWebEngineCookieStore *store)
    : m_store(store)
{
    if (!store)
        return;
    QObject::connect(store, &QWebEngineCookieStore::cookieAdded, this, &NetworkCookie::onStoreCookie);
    QObject::connect(store, &QWebEngineCookieStore::cookieRemoved, this,
                     &NetworkCookie::onStoreCookieRemoved);
    store->loadAllCookies();
}

QNetworkCookie NetworkCookie::getCookie(const QString &name) const
{
    const QByteArray key = name.toUtf8();
    for (const QNetworkCookie &cookie : m_cookies) {
        if (cookie.name() == key)
            return cookie;
    }
    return QNetworkCookie();
}

void NetworkCookie::setCookie(const QString &name, const QString &value, const QString &path,
                              int lifetime, const QString &domain, bool secure, bool httpOnly)
{
    QNetworkCookie cookie(name.toUtf8(), value.toUtf8());
    cookie.setPath(path);
    if (lifetime > 0)
        cookie.setExpirationDate(QDateTime::currentDateTimeUtc().addSecs(lifetime));
    cookie.setDomain(domain);
    cookie.setSecure(secure);
    cookie.setHttpOnly(httpOnly);
    if (m_store)
        m_store->setCookie(cookie, QUrl());
    // What this jar writes replaces what it held under that name, so the last
    // login wins; readers see it at once, before the store reports it.
    dropFromList(cookie, false);
    m_cookies.prepend(cookie);
}

void NetworkCookie::clearCookies()
{
    m_cookies.clear();
    setAllCookies(QList<QNetworkCookie>());
    if (m_store)
        m_store->deleteAllCookies();
}

void NetworkCookie::onStoreCookie(const QNetworkCookie &cookie)
{
    // insertCookie refuses a cookie that has already expired: that is a removal.
    if (insertCookie(cookie))
        m_cookies.append(cookie);
    else
        dropFromList(cookie, true);
}

void NetworkCookie::onStoreCookieRemoved(const QNetworkCookie &cookie)
{
    deleteCookie(cookie);
    // Only the removed value goes: when the store overwrites a cookie it reports
    // the old one removed, and the new value must stay readable.
    dropFromList(cookie, true);
}

void NetworkCookie::dropFromList(const QNetworkCookie &cookie, bool sameValueOnly)
{
    for (int i = m_cookies.size() - 1; i >= 0; --i) {
        if (sameCookie(m_cookies.at(i), cookie, sameValueOnly))
            m_cookies.removeAt(i);
    }
}
