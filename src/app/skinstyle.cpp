#include "skinstyle.h"

#include "apppaths.h"

#include <QUrl>

namespace {
constexpr int kMaxNameLength = 64;
}

bool SkinStyle::isDefault(const QString &skinName)
{
    return skinName.isEmpty() || skinName == QLatin1String("default") || !isSafeName(skinName);
}

bool SkinStyle::isSafeName(const QString &skinName)
{
    if (skinName.isEmpty() || skinName.size() > kMaxNameLength)
        return false;
    for (const QChar c : skinName) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('_') && c != QLatin1Char('-'))
            return false;
    }
    return true;
}

QString SkinStyle::nameFromPackageUrl(const QUrl &url)
{
    const QString fileName = url.fileName(QUrl::FullyDecoded);
    if (!fileName.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
        return QString();
    const QString name = fileName.chopped(4);
    return isSafeName(name) ? name : QString();
}

QString SkinStyle::themesDirectory()
{
    return AppPaths::themesDir();
}

QString SkinStyle::directoryFor(const QString &skinName)
{
    if (isDefault(skinName))
        return QString();
    return themesDirectory() + skinName + QLatin1Char('/');
}

QString SkinStyle::styleSheetFor(const QString &skinName)
{
    const QString common = AppPaths::readStyleSheet(AppPaths::stylePath(QStringLiteral("common.qss")));
    if (isDefault(skinName))
        return common + AppPaths::readStyleSheet(AppPaths::stylePath(QStringLiteral("style.qss")));
    // A downloaded skin's sheet is used as it stands.
    return common + AppPaths::readStyleSheet(directoryFor(skinName) + QStringLiteral("style.qss"), false);
}
