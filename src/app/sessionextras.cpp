#include "sessionextras.h"

#include "settings.h"

bool SessionExtras::restoreGamesOn(const Settings *settings)
{
    return isOn(settings, "extras/restoregames");
}

bool SessionExtras::shortcutsOn(const Settings *settings)
{
    return isOn(settings, "extras/shortcuts");
}

bool SessionExtras::isOn(const Settings *settings, const char *key)
{
    return !settings || settings->value(QString::fromLatin1(key)).toString() != QLatin1String("no");
}
