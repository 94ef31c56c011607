#include "skinstyle.h"

#include "apppaths.h"

bool SkinStyle::isDefault(const QString &skinName)
{
    return skinName.isEmpty() || skinName == QLatin1String("default");
}

QString SkinStyle::directoryFor(const QString &skinName)
{
    if (isDefault(skinName))
        return QString();
    return AppPaths::themesDir() + skinName + QLatin1Char('/');
}

QString SkinStyle::styleSheetFor(const QString &skinName)
{
    const QString common = AppPaths::readStyleSheet(AppPaths::stylePath(QStringLiteral("common.qss")));
    if (isDefault(skinName))
        return common + AppPaths::readStyleSheet(AppPaths::stylePath(QStringLiteral("style.qss")));
    // A downloaded skin's sheet is used as it stands.
    return common + AppPaths::readStyleSheet(directoryFor(skinName) + QStringLiteral("style.qss"), false);
}
