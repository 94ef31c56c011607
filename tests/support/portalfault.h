#pragma once

#include <QJsonObject>
#include <QString>

class StandInPortal;

// Makes the stand-in portal misbehave on one endpoint for its next request.
class PortalFault
{
public:
    // fault: the stand-in portal's fault fields ("word", "status", "delay_ms", "drop", ...)
    static bool once(StandInPortal &portal, const QString &endpoint, const QJsonObject &fault);
};
