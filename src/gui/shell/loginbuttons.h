#pragma once

#include <QMetaObject>
#include <QObject>

class QPushButton;

// The title bar's login and VIP buttons: what they show, and the one thing a
// click on the login button does — the login dialog, or the user centre once
// somebody is logged in.
class LoginButtons : public QObject
{
    Q_OBJECT
public:
    LoginButtons(QPushButton *login, QPushButton *vip, QObject *parent);

    void showLoggedIn(const QString &nick, const QString &level);
    void showLoggedOut();

signals:
    void signalLoginRequested();
    void signalUserCenterRequested();

private:
    void setAction(bool loggedIn);

    QPushButton *m_login;
    QPushButton *m_vip;
    QMetaObject::Connection m_action;
};
