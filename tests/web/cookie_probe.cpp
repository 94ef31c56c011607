// Stands in for a client run in the session cookie test: in the data
// directory it is given, logs in as the client does (the identity cookies,
// session cookies all) beside one persistent cookie of the portal's, and
// quits the way the client quits once the store holds both.
#include "app/apppaths.h"
#include "net/networkcookie.h"
#include "web/webenginepage.h"
#include "web/webengineprofile.h"

#include <QApplication>
#include <QNetworkCookie>
#include <QSet>
#include <QTimer>
#include <QWebEngineCookieStore>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    AppPaths::setAppDir(QString::fromLocal8Bit(argv[1]));
    WebEngineProfile *profile = WebEngineProfile::profileFor(QStringLiteral("default"));
    QSet<QByteArray> seen;
    QObject::connect(profile->cookieStore(), &QWebEngineCookieStore::cookieAdded, &app,
                     [&seen](const QNetworkCookie &cookie) {
                         seen.insert(cookie.name());
                         if (seen.contains("user_token") && seen.contains("portal_pref"))
                             QCoreApplication::quit();
                     });
    // The store starts working once the profile serves a page.
    WebEnginePage page(profile);
    page.load(QUrl(QStringLiteral("about:blank")));
    NetworkCookie jar(profile->cookieStore());
    jar.setCookie(QStringLiteral("user_token"), QStringLiteral("probe-token"), QStringLiteral("/"), 0,
                  QStringLiteral("127.0.0.1"), false, false);
    jar.setCookie(QStringLiteral("portal_pref"), QStringLiteral("kept"), QStringLiteral("/"), 3600,
                  QStringLiteral("127.0.0.1"), false, false);
    QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(3); });
    return app.exec();
}
