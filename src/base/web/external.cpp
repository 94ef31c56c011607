#include "web/external.h"

#include <QDebug>

External *External::instance()
{
    // Built on first use, thread-safely, and kept until the process ends.
    static External *const object = new External;
    return object;
}

bool External::isPlainWord(const QString &host)
{
    if (host.isEmpty() || host.size() > maxHostLength)
        return false;
    for (const QChar c : host) {
        const bool ascii = c.unicode() < 0x80;
        if (!ascii || !(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-')))
            return false;
    }
    return true;
}

bool External::fits(const char *call, std::initializer_list<QPair<const QString *, int>> arguments)
{
    for (const auto &argument : arguments) {
        if (argument.first->size() > argument.second) {
            qDebug() << call << "refused: an argument of" << argument.first->size() << "characters";
            return false;
        }
    }
    return true;
}

void External::OpenGame(const QString &host, const QString &game, const QString &gameType)
{
    if (!fits("OpenGame", {{&host, maxHostLength}, {&game, maxGameLength}, {&gameType, maxOptionLength}}))
        return;
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
    if (!fits("GetHttpData", {{&data, maxDataLength}}))
        return;
    // Pages may hand over anything here: only its size reaches the log.
    qDebug() << "GetHttpData:" << data.size() << "characters";
}

void External::Sign()
{
    emit signalSign();
}

void External::OpenUrl(const QString &url, const QString &skinOption)
{
    if (!fits("OpenUrl", {{&url, maxUrlLength}, {&skinOption, maxOptionLength}}))
        return;
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
