#include "web/tabcontext.h"

TabContext TabContext::withoutGame(Kind pageKind) const
{
    TabContext context = *this;
    context.kind = pageKind;
    context.host.clear();
    context.gameType.clear();
    context.serverId.clear();
    context.isH5Play = false;
    return context;
}

TabContext TabContext::asMainAccount(const QString &mainName) const
{
    TabContext context = *this;
    context.player = Identity();
    context.userName = mainName;
    context.profileFlag = mainProfileFlag();
    return context;
}

TabContext TabContext::asSmallAccount(const Identity &who) const
{
    TabContext context = *this;
    context.player = who;
    context.userName = who.userName;
    context.profileFlag = who.userId;
    return context;
}

QVariantMap TabContext::properties() const
{
    return {{QStringLiteral("host"), host},
            {QStringLiteral("gameType"), gameType},
            {QStringLiteral("userName"), userName},
            {QStringLiteral("myProfileFlag"), profileFlag},
            {QStringLiteral("serverId"), serverId},
            {QStringLiteral("isH5Play"), isH5Play}};
}
