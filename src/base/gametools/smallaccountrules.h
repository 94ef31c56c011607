#pragma once

#include "net/identity.h"
#include "account/sqlite.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUrl>

struct AccountReply;

// One collected game server of a small account, as the manager lists it.
struct CollectedServer
{
    QString text;          // game name, a blank, server name
    QString gameId;
    QString serverId;
    QString host;
    QString collectionId;
};

// The rules of the small-account windows that need no window: what the add
// dialog accepts, how the portal's answers read, which rows the store gets
// and which addresses the windows call.
class SmallAccountRules
{
public:
    // The first entry of the manager's account chooser.
    static QString chooserPrompt();   // "请选择小号"
    // Most collected servers the manager lists.
    static constexpr int maxCollected = 200;

    // Why the add dialog refuses the input before any request, or empty.
    static QString addProblem(const QString &account, const QString &password, const QString &confirmation,
                              const QString &mainUserName, bool registering);

    // The message for a registration answer that failed; empty for success.
    static QString registerProblem(const AccountReply &reply);

    // The row of a registered account; its user id is known at its first login.
    static AccountRow registeredRow(const QString &name, const QString &digest, const QString &mainId);

    // The collection list; ok is false for anything but a JSON array.
    static QList<CollectedServer> collection(const QByteArray &body, bool *ok);
    static QUrl collectionUrl(const QString &userId);
    static QUrl collectionDeleteUrl(const QString &collectionId);
    // The game-play page of a server for the account that plays it.
    static QUrl gamePlayUrl(const QString &serverId, const Identity &player);
};
