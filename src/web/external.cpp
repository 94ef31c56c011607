#include "external.h"

#include <QDebug>

External *External::instance()
{
    // Built on first use, thread-safely, and kept until the process ends.
    static External *const object = new External;
    return object;
}

bool External::isPlainWord(const QString &host)
{
    if (host.isEmpty() || host.size() > 64)
        return false;
    for (const QChar c : host) {
        const bool ascii = c.unicode() < 0x80;
        if (!ascii || !(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-')))
            return false;
    }
    return true;
}

void External::OpenGame(const QString &host, const QString &game, const QString &gameType)
{
    qDebug() << "gameType:" << gameType;
    // The host becomes part of an address: a path or a query of a page's choosing is refused.
    if (!isPlainWord(host)) {
        qDebug() << "OpenGame: refused a host that is not a plain word";
        return;
    }
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
