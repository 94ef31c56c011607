#include "external.h"

#include <QDebug>

External *External::instance()
{
    // Built on first use, thread-safely, and kept until the process ends.
    static External *const object = new External;
    return object;
}

void External::OpenGame(const QString &host, const QString &game, const QString &gameType)
{
    qDebug() << "gameType:" << gameType;
    if (gameType == QLatin1String("h5"))
        emit signalOpenGame_h5(host, game);
    else if (gameType == QLatin1String("app"))
        emit signalOpenGame_app(host, game);
    else
        emit signalOpenGame(host, game);
}

void External::GetHttpData(const QString &data)
{
    // Pages may hand over anything here: only its size reaches the log.
    qDebug() << "GetHttpData:" << data.size() << "characters";
}

void External::Sign()
{
    emit signalSign();
}

void External::OpenUrl(const QString &url, const QString &skinOption)
{
    emit signalOpenUrl(url, skinOption);
}

void External::OpenJFSC()
{
    qDebug() << "OpenJFSC";
    emit signalOpenJFSC();
}

void External::LoginOut()
{
    qDebug() << "LoginOut";
    emit signalLoginOut();
}

void External::SwitchUser()
{
    qDebug() << "SwitchUser";
    emit signalSwitchUser();
}

void External::PaySubmit()
{
    qDebug() << "External::PaySubmit";
}
