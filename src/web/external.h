#pragma once

#include <QObject>
#include <QString>

// The one object portal pages reach as "external" over the web channel. Each
// call of a page becomes a signal; the tab manager and the main window do the
// work. Holds no state and decides nothing but which game signal a call becomes.
class External : public QObject
{
    Q_OBJECT
public:
    // The process-wide instance, made on first use.
    static External *instance();
    // A game host or application id as pages may name it: a plain word.
    static bool isPlainWord(const QString &host);

signals:
    void signalOpenGame(QString host, QString game);
    void signalOpenGame_h5(QString host, QString game);
    void signalOpenGame_app(QString host, QString game);
    void signalSign();
    void signalOpenUrl(QString url, QString option);
    void signalOpenJFSC();
    void signalLoginOut();
    void signalSwitchUser();

public slots:
    void OpenGame(const QString &host, const QString &game, const QString &gameType);
    void GetHttpData(const QString &data);
    void Sign();
    void OpenUrl(const QString &url, const QString &skinOption);
    void OpenJFSC();
    void LoginOut();
    void SwitchUser();
    void PaySubmit();

private:
    External() = default;
};
