#include "app/apppaths.h"

#include "app/privatefiles.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>
#include <QTemporaryFile>

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

QString AppPaths::dataDir()
{
    static QMutex mutex;
    static QHash<QString, QString> chosen;   // application directory -> data directory
    QMutexLocker lock(&mutex);
    const QString app = appDir();
    auto it = chosen.constFind(app);
    if (it == chosen.constEnd()) {
        const bool installed = isInstalled();
        const QString data = !installed && isWritableDir(app) ? app : userDataDir();
        if (data != app && !installed)
            qDebug().noquote() << app + QStringLiteral(" cannot be written to; the client keeps its files in ") + data;
        it = chosen.insert(app, data);
    }
    return *it;
}

QString AppPaths::dataFilePath(const QString &relative)
{
    return dataDir() + QLatin1Char('/') + relative;
}

// Tried rather than judged from the mode bits: a read-only mount, an ACL or
// root's privileges all answer only to a real write.
bool AppPaths::isWritableDir(const QString &dir)
{
    QTemporaryFile probe(dir + QStringLiteral("/.write-probe-XXXXXX"));
    return probe.open();
}

QString AppPaths::userDataDir()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty() || !PrivateFiles::makeFolder(dir))
        return appDir();
    return dir;
}

QString AppPaths::installedDataDir()
{
    return QDir::cleanPath(appDir() + QStringLiteral("/" KORVO_INSTALLED_DATA));
}

bool AppPaths::isInstalled()
{
    return QFileInfo(installedDataDir()).isDir();
}

QString AppPaths::assetPath(const QString &relative)
{
    const QString beside = filePath(relative);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = installedDataDir() + QLatin1Char('/') + relative;
    return QFileInfo::exists(installed) ? installed : beside;
}

QString AppPaths::themesDir()
{
    return dataFilePath(QStringLiteral("themes/"));
}

QString AppPaths::applicationId()
{
    return QStringLiteral(KORVO_APP_ID);
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
    return assetPath(QStringLiteral("icons_%1/").arg(brand()) + fileName);
}

QString AppPaths::stylePath(const QString &fileName)
{
    return assetPath(QStringLiteral("style/%1/").arg(brand()) + fileName);
}

QString AppPaths::faviconPath()
{
    return assetPath(QStringLiteral("favicons/favicon_%1.png").arg(brand()));
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
        text.replace(iconDir, assetPath(iconDir));
    }
    return text;
}
