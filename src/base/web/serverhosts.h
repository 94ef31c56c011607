#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>

// Which game a server belongs to, as far as the client has seen it: a game's
// own page that played the server, a collection list, a remembered tab, a
// shortcut, and the portal's answer when none of those knew. A game-play tab
// opened from the home page names only its server; its toolbar and side bar
// need the game's host, and ask here.
class ServerHosts : public QObject
{
    Q_OBJECT
public:
    explicit ServerHosts(QObject *parent = nullptr);

    // Values come from pages and replies: a pair outside its form is ignored.
    void learn(const QString &serverId, const QString &host);
    // Empty while the server's game is not known.
    QString hostOf(const QString &serverId) const;
    // Asks the portal for the server's game, once at a time per server; the
    // answer arrives as hostKnown, or lookupFailed when there is none.
    void lookUp(const QString &serverId);
    bool isLookingUp(const QString &serverId) const { return m_asking.contains(serverId); }

    // The game_list call asked by server id.
    static QUrl lookupUrl(const QString &serverId);
    // The host a game_list reply names; empty for any other body.
    static QString hostFromReply(const QByteArray &body);

signals:
    void hostKnown(QString serverId, QString host);
    void lookupFailed(QString serverId);

private:
    void answered(const QString &serverId, const QString &host);

    QHash<QString, QString> m_hosts;
    QSet<QString> m_asking;
};
