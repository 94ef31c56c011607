#include "portalfault.h"

#include "standinportal.h"

bool PortalFault::once(StandInPortal &portal, const QString &endpoint, const QJsonObject &fault)
{
    QJsonObject params = fault;
    params.insert(QStringLiteral("op"), QStringLiteral("fault"));
    params.insert(QStringLiteral("endpoint"), endpoint);
    params.insert(QStringLiteral("times"), QStringLiteral("1"));
    return portal.control(params).value(QStringLiteral("ok")).toBool();
}
