#include "webengineprofile.h"

#include "apppaths.h"
#include "privatefiles.h"

#include <QHash>
#include <QUrl>

namespace {
QHash<QString, WebEngineProfile *> &registry()
{
    static QHash<QString, WebEngineProfile *> profiles;
    return profiles;
}
}

WebEngineProfile::WebEngineProfile(const QString &name)
    : QWebEngineProfile(storageFolder(name))
{
}

WebEngineProfile *WebEngineProfile::profileFor(const QString &name)
{
    WebEngineProfile *&profile = registry()[name];
    if (!profile) {
        profile = new WebEngineProfile(name);
        profile->setupPaths(name);
    }
    return profile;
}

QList<WebEngineProfile *> WebEngineProfile::liveProfiles()
{
    return registry().values();
}

QString WebEngineProfile::storageFolder(const QString &name)
{
    // Small-account ids come from the portal: they must never pick a folder
    // outside cacheData/ or share another profile's storage. Percent-encoding
    // keeps ids and "default" as they are and maps different names apart.
    QString folder = QString::fromLatin1(QUrl::toPercentEncoding(name));
    if (folder == QLatin1String(".") || folder == QLatin1String(".."))
        folder.replace(QLatin1Char('.'), QLatin1String("%2E"));
    // An empty storage name would make the engine keep nothing on disk.
    return folder.isEmpty() ? QStringLiteral("%") : folder;
}

void WebEngineProfile::setupPaths(const QString &name)
{
    cacheRoot = AppPaths::dataFilePath(QStringLiteral("cacheData/"));
    // Cookies and page storage of every account: the user's alone.
    PrivateFiles::makeFolder(cacheRoot);
    const QString folder = cacheRoot + storageFolder(name);
    setCachePath(folder);
    setPersistentStoragePath(folder + QStringLiteral("/storage"));
}
