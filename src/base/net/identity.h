#pragma once

#include <QString>
#include <QStringList>

// Who is logged in, as the seven identity cookies carry it.
struct Identity
{
    QString platUserId;
    QString userId;
    QString userName;
    QString userEmail;
    QString userNick;
    QString userToken;
    QString userLoginTime;

    // Logged in means name, id and token are all set.
    bool isLoggedIn() const { return !userName.isEmpty() && !userId.isEmpty() && !userToken.isEmpty(); }

    // The cookie names, in the order a login writes them.
    static QStringList cookieNames()
    {
        return {QStringLiteral("plat_userid"), QStringLiteral("user_id"),    QStringLiteral("user_name"),
                QStringLiteral("user_email"),  QStringLiteral("user_nick"),  QStringLiteral("user_token"),
                QStringLiteral("user_login_time")};
    }
    // The values in the order of cookieNames().
    QStringList values() const
    {
        return {platUserId, userId, userName, userEmail, userNick, userToken, userLoginTime};
    }
};
