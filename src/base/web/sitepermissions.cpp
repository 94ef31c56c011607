#include "web/sitepermissions.h"

bool SitePermissions::grants(Feature feature, bool ownOrigin)
{
    return feature == MouseLock && ownOrigin;
}
