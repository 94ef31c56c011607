#pragma once

#include <QObject>
#include <QStringList>

// Stands where the client publishes "external": records each call a page makes,
// as "Method|arg|arg", with the method names and arguments pages use.
class BridgeRecorder : public QObject
{
    Q_OBJECT
public:
    QStringList calls;

public slots:
    void OpenGame(const QString &host, const QString &game, const QString &gameType)
    {
        calls << QStringList {QStringLiteral("OpenGame"), host, game, gameType}.join(QLatin1Char('|'));
    }
    void OpenUrl(const QString &url, const QString &option)
    {
        calls << QStringList {QStringLiteral("OpenUrl"), url, option}.join(QLatin1Char('|'));
    }
    void GetHttpData(const QString &data) { calls << QStringLiteral("GetHttpData|") + data; }
    void Sign() { calls << QStringLiteral("Sign"); }
    void OpenJFSC() { calls << QStringLiteral("OpenJFSC"); }
    void LoginOut() { calls << QStringLiteral("LoginOut"); }
    void SwitchUser() { calls << QStringLiteral("SwitchUser"); }
    void PaySubmit() { calls << QStringLiteral("PaySubmit"); }
};
