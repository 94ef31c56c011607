#include "web/webengineprofile.h"

#include "app/apppaths.h"
#include "app/privatefiles.h"
#include "web/bridgeguard.h"
#include "web/qqlinkscheme.h"

#include <QCoreApplication>
#include <QHash>
#include <QUrl>
#include <QWebEngineCookieStore>
#include <QWebEngineSettings>

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
    guard(this);
    // The identity cookies are session cookies, yet the engine writes them to
    // the profile's cookie file like any other: they go before the process ends.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { cookieStore()->deleteSessionCookies(); });
}

void WebEngineProfile::guard(QWebEngineProfile *profile)
{
    // A page may name any scheme; none is handed to a handler outside the
    // engine, but for the QQ links that the page hands to the system itself.
    profile->settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    QqLinkScheme::installOn(profile);
    BridgeGuard::installOn(profile);
}

QWebEngineCookieStore *WebEngineProfile::cookieStoreOf(const QString &name)
{
    return profileFor(name)->cookieStore();
}

WebEngineProfile *WebEngineProfile::profileFor(const QString &name)
{
    // Views made without a profile of ours use the engine's own default profile.
    static const bool defaultGuarded = (guard(QWebEngineProfile::defaultProfile()), true);
    Q_UNUSED(defaultGuarded)
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
