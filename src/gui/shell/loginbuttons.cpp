#include "shell/loginbuttons.h"

#include "app/apppaths.h"

#include <QPushButton>

LoginButtons::LoginButtons(QPushButton *login, QPushButton *vip, QObject *parent)
    : QObject(parent)
    , m_login(login)
    , m_vip(vip)
{
    m_login->setCursor(Qt::PointingHandCursor);
    m_vip->setCursor(Qt::PointingHandCursor);
    showLoggedOut();
}

void LoginButtons::showLoggedIn(const QString &nick, const QString &level)
{
    m_vip->setText(QStringLiteral("V") + level);
    m_login->setText(nick);
    m_login->setToolTip(nick);
    m_login->setIcon(QIcon());
    setAction(true);
}

void LoginButtons::showLoggedOut()
{
    m_login->setText(QStringLiteral("请登录"));
    m_login->setToolTip(QStringLiteral("请登录"));
    m_login->setIcon(QIcon(AppPaths::iconPath(QStringLiteral("icon_downarrow_white.png"))));
    setAction(false);
}

// Exactly one click action at a time.
void LoginButtons::setAction(bool loggedIn)
{
    disconnect(m_action);
    m_action = connect(m_login, &QPushButton::clicked, this,
                       loggedIn ? &LoginButtons::signalUserCenterRequested : &LoginButtons::signalLoginRequested);
}
