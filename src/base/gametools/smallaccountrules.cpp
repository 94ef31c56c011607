#include "gametools/smallaccountrules.h"

#include "account/accountoperations.h"
#include "net/portal.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {
// A value from the portal or the user, as one query value.
QString queryValue(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

QUrl apiUrl(const QString &action, const QString &query)
{
    return QUrl::fromEncoded((Portal::apiCall(action) + query).toUtf8(), QUrl::StrictMode);
}
}

QString SmallAccountRules::chooserPrompt()
{
    return QStringLiteral("请选择小号");
}

QString SmallAccountRules::addProblem(const QString &account, const QString &password, const QString &confirmation,
                                      const QString &mainUserName, bool registering)
{
    if (account.isEmpty() || password.isEmpty())
        return QStringLiteral("账号或密码错误");
    if (account == mainUserName)
        return QStringLiteral("不能添加自己为小号");
    if (!registering)
        return QString();
    if (AccountOperations::hasChineseCharacter(account))
        return QStringLiteral("不支持中文账号");
    if (confirmation != password)
        return QStringLiteral("两次密码不一致");
    if (account.size() <= 3)
        return QStringLiteral("账号不合法");
    return QString();
}

QString SmallAccountRules::registerProblem(const AccountReply &reply)
{
    if (reply.kind == AccountReply::Word) {
        if (reply.word == QLatin1String("username repeat"))
            return QStringLiteral("账号名称已经存在");
        if (reply.word == QLatin1String("params error") || reply.word == QLatin1String("failed"))
            return QStringLiteral("注册失败");
    }
    // An error object registered nobody, whatever else the portal answers did.
    if (reply.kind == AccountReply::Error)
        return reply.message.isEmpty() ? QStringLiteral("注册失败") : reply.message;
    return QString();
}

AccountRow SmallAccountRules::registeredRow(const QString &name, const QString &digest, const QString &mainId)
{
    const QString zero = QStringLiteral("0");
    return {{QStringLiteral("user_id"), zero},        {QStringLiteral("user_name"), name},
            {QStringLiteral("user_nick"), QString()}, {QStringLiteral("user_email"), QString()},
            {QStringLiteral("user_pass"), digest},    {QStringLiteral("main_id"), mainId},
            {QStringLiteral("list"), zero},           {QStringLiteral("auto_login"), zero},
            {QStringLiteral("remember_me"), zero},    {QStringLiteral("is_main"), zero}};
}

QList<CollectedServer> SmallAccountRules::collection(const QByteArray &body, bool *ok)
{
    QList<CollectedServer> servers;
    QJsonArray list;
    *ok = Portal::parseArray(body, &list);
    if (!*ok)
        return servers;
    for (const QJsonValue &element : list) {
        if (!element.isObject() || servers.size() >= maxCollected)
            continue;
        const QJsonObject item = element.toObject();
        const QJsonObject game = item.value(QLatin1String("game")).toObject();
        CollectedServer server;
        server.text = Portal::text(game.value(QLatin1String("name"))) + QLatin1Char(' ')
            + Portal::text(item.value(QLatin1String("sname")));
        server.gameId = Portal::text(item.value(QLatin1String("gid")));
        server.serverId = Portal::text(item.value(QLatin1String("sid")));
        server.host = Portal::text(game.value(QLatin1String("host")));
        server.collectionId = Portal::text(item.value(QLatin1String("id")));
        servers << server;
    }
    return servers;
}

QUrl SmallAccountRules::collectionUrl(const QString &userId)
{
    return apiUrl(QStringLiteral("user_collection"), QStringLiteral("&show_all=1&user_id=") + queryValue(userId));
}

QUrl SmallAccountRules::collectionDeleteUrl(const QString &collectionId)
{
    return apiUrl(QStringLiteral("user_collection_delete"), QStringLiteral("&collection_id=") + queryValue(collectionId));
}

QUrl SmallAccountRules::gamePlayUrl(const QString &serverId, const Identity &player)
{
    const QString address = Portal::webPage(QStringLiteral("game_play")) + QStringLiteral("&server_id=")
        + queryValue(serverId) + QStringLiteral("&user_id=") + queryValue(player.userId)
        + QStringLiteral("&user_name=") + queryValue(player.userName) + QStringLiteral("&user_token=")
        + queryValue(player.userToken) + QStringLiteral("&user_email=") + queryValue(player.userEmail);
    return QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode);
}
