#include "gametools/gametoolreplies.h"

#include "net/portal.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QString GameToolReplies::networkTrouble()
{
    return QStringLiteral("网络异常,请稍后重试");
}

QString GameToolReplies::collectionMessage(const QByteArray &body)
{
    static const QHash<QByteArray, QString> messages = {
        {"params error", QStringLiteral("收藏失败!请稍后重试")},
        {"already", QStringLiteral("游戏已经在收藏夹了")},
        {"server_6", QStringLiteral("您的收藏夹已经满了!")},
        {"game_6", QStringLiteral("您的收藏夹已经满了!")},
        {"failed", QStringLiteral("收藏失败!请稍后重试")},
        {"success", QStringLiteral("收藏成功")},
        {"game error", QStringLiteral("游戏不存在")},
        {"server error", QStringLiteral("区服错误")},
    };
    return messages.value(Portal::stripBom(body), QStringLiteral("系统异常"));
}

GameToolReplies::GameLookup GameToolReplies::readGameList(const QByteArray &body)
{
    if (Portal::isWord(body, "query is empty"))
        return {QString(), QStringLiteral("查询失败")};
    QJsonDocument doc;
    if (!Portal::parseDocument(body, &doc))
        return {QString(), networkTrouble()};
    const QJsonValue id = doc.array().at(0).toObject().value(QLatin1String("game_id"));
    // Ids come as text or as numbers; anything else names no game.
    if (!id.isString() && !id.isDouble())
        return {};
    return {Portal::text(id), QString()};
}
