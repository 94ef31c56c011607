#pragma once

#include <QObject>
#include <QPair>
#include <QString>

#include <initializer_list>

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

    // The longest argument each call takes. Pages may pass anything; what is
    // longer is refused before it is looked at, logged or handed on.
    static constexpr int maxHostLength = 64;
    static constexpr int maxGameLength = 128;
    static constexpr int maxOptionLength = 64;   // a skin name at most
    static constexpr int maxUrlLength = 4096;
    static constexpr int maxDataLength = 64 * 1024;

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
    static bool fits(const char *call, std::initializer_list<QPair<const QString *, int>> arguments);
};
