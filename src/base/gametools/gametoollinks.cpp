#include "gametools/gametoollinks.h"

#include "net/portal.h"

#include <QHash>

namespace {
QString encoded(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

const QString kFirstPay = QStringLiteral("hostBar_FirstPayBtn");
const QString kGift = QStringLiteral("hostBar_GitfBtn");
}

QString GameToolLinks::pageFor(const QString &buttonName)
{
    static const QHash<QString, QString> portalPages = {
        {QStringLiteral("hostBar_ShopBtn"), QStringLiteral("/jfsc")},
        {QStringLiteral("hostBar_MoneyBtn"), QStringLiteral("/pay-game.php")},
        {QStringLiteral("hostBar_EarBtn"), QStringLiteral("/service.php")},
        {QStringLiteral("MoneyBtn"), QStringLiteral("/pay-game.php")},
        {QStringLiteral("EarBtn"), QStringLiteral("/service.php")},
    };
    // The H5 bar's gift button lists the cards of the H5 host, for every game alike.
    if (buttonName == QLatin1String("GitfBtn"))
        return Portal::h5Root() + QStringLiteral("/card_list.php");
    const QString path = portalPages.value(buttonName);
    return path.isEmpty() ? QString() : Portal::portalRoot() + path;
}

bool GameToolLinks::needsGameId(const QString &buttonName)
{
    return buttonName == kFirstPay || buttonName == kGift;
}

QString GameToolLinks::pageForGame(const QString &buttonName, const QString &gameId)
{
    if (gameId.isEmpty())
        return QString();
    if (buttonName == kFirstPay)
        return Portal::portalRoot() + QStringLiteral("/jfsc/firstpay/firstpay.php?from=dodev&game_id=") + encoded(gameId);
    if (buttonName == kGift)
        return Portal::portalRoot() + QStringLiteral("/game_card.php?id=") + encoded(gameId);
    return QString();
}

QUrl GameToolLinks::gameListUrl(const QString &host)
{
    return QUrl(Portal::apiCall(QStringLiteral("game_list")) + QStringLiteral("&game_host=") + encoded(host));
}

QUrl GameToolLinks::collectionUrl(const QString &userId, const QString &host, const QString &serverId)
{
    return QUrl(Portal::apiCall(QStringLiteral("user_collection_add")) + QStringLiteral("&user_id=") + encoded(userId)
                + QStringLiteral("&game_host=") + encoded(host) + QStringLiteral("&server_id=") + encoded(serverId));
}

QString GameToolLinks::collectorId(const QString &profileFlag, const QString &sessionUserId)
{
    return profileFlag == QLatin1String("default") ? sessionUserId : profileFlag;
}
