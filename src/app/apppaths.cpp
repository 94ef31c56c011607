#include "apppaths.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>

QString &AppPaths::overrideDir()
{
    static QString dir;
    return dir;
}

QString AppPaths::appDir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    const QString fromEnv = qEnvironmentVariable("KORVO_APP_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QCoreApplication::applicationDirPath();
}

void AppPaths::setAppDir(const QString &dir)
{
    overrideDir() = dir;
}

QString AppPaths::filePath(const QString &relative)
{
    return appDir() + QLatin1Char('/') + relative;
}

QString AppPaths::brand()
{
    return QStringLiteral("Korvo");
}

QString AppPaths::clientVersion()
{
    return QStringLiteral(KORVO_VERSION);
}

QString AppPaths::iconPath(const QString &fileName)
{
    return QStringLiteral("%2icons_%1/").arg(brand(), appDir() + QLatin1Char('/')) + fileName;
}

QString AppPaths::stylePath(const QString &fileName)
{
    return QStringLiteral("%1style/%2/").arg(appDir() + QLatin1Char('/'), brand()) + fileName;
}

QString AppPaths::faviconPath()
{
    return filePath(QStringLiteral("favicons/favicon_%1.png").arg(brand()));
}

QString AppPaths::readStyleSheet(const QString &path, bool absoluteIcons)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug().noquote() << path + QStringLiteral(" not exist");
        return QString();
    }
    QString text = QString::fromUtf8(file.readAll());
    if (absoluteIcons) {
        const QString iconDir = QStringLiteral("icons_%1").arg(brand());
        text.replace(iconDir, appDir() + QLatin1Char('/') + iconDir);
    }
    return text;
}
