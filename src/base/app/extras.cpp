#include "app/extras.h"

#include "app/settings.h"

QString Extras::key(Feature feature)
{
    switch (feature) {
    case CrashReload:
        return QStringLiteral("extras/crashreload");
    case BossMute:
        return QStringLiteral("extras/bossmute");
    case Resources:
        return QStringLiteral("extras/resources");
    case RestoreGames:
        return QStringLiteral("extras/restoregames");
    case Shortcuts:
        return QStringLiteral("extras/shortcuts");
    case BackgroundPlay:
        return QStringLiteral("extras/backgroundplay");
    }
    return QString();
}

bool Extras::enabled(const Settings *settings, Feature feature)
{
    if (!settings)
        return true;
    return settings->value(key(feature)).toString() != QLatin1String("no");
}

void Extras::setEnabled(Settings *settings, Feature feature, bool on)
{
    settings->setValue(key(feature), on ? QStringLiteral("yes") : QStringLiteral("no"));
}
