#include "net/session.h"

#include "net/networkcookie.h"

#include <QWebEngineCookieStore>

Session::Session(QObject *parent)
    : QObject(parent)
{
}

void Session::setCookieStore(QWebEngineCookieStore *store)
{
    m_store = store;
}

QWebEngineCookieStore *Session::cookieStore() const
{
    return m_store;
}

NetworkCookie *Session::cookieJar() const
{
    return m_jar;
}

void Session::setCookieJar(NetworkCookie *jar)
{
    if (m_jar && m_jar != jar)
        delete m_jar;
    m_jar = jar;
    if (jar)
        jar->setParent(this);
}

NetworkCookie *Session::ensureCookieJar()
{
    if (!m_jar && m_store)
        setCookieJar(new NetworkCookie(m_store));
    return m_jar;
}

void Session::resetCookieJar()
{
    if (m_jar) {
        m_jar->clearCookies();
        delete m_jar;
    }
    if (!m_store)
        return;
    m_store->deleteAllCookies();
    setCookieJar(new NetworkCookie(m_store));
}

QString Session::cookieValue(const QString &name) const
{
    return m_jar ? QString::fromUtf8(m_jar->getCookie(name).value()) : QString();
}

Identity Session::identity() const
{
    Identity who;
    who.platUserId = cookieValue(QStringLiteral("plat_userid"));
    who.userId = cookieValue(QStringLiteral("user_id"));
    who.userName = cookieValue(QStringLiteral("user_name"));
    who.userEmail = cookieValue(QStringLiteral("user_email"));
    who.userNick = cookieValue(QStringLiteral("user_nick"));
    who.userToken = cookieValue(QStringLiteral("user_token"));
    who.userLoginTime = cookieValue(QStringLiteral("user_login_time"));
    return who;
}
