#include "pagescript.h"
#include "dialogs/cachedirectory.h"
#include "dialogs/clearcacheform.h"
#include "net/portal.h"
#include "standinportal.h"
#include "testsupport.h"
#include "web/webengineprofile.h"

#include <QDir>
#include <QLabel>
#include <QNetworkCookie>
#include <QPushButton>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QtTest>

#include <memory>

// The cache window against live, logged-in profiles: cleaning frees what no
// open page uses and never logs an open page out.
class TestCacheCleaning final : public QObject
{
    Q_OBJECT

private slots:
    void cleaningKeepsEveryLiveLogin();

private:
    static QString runScript(QWebEnginePage *page, const QString &script);
    static bool writeMebibytes(const QString &name, int count);
};

QString TestCacheCleaning::runScript(QWebEnginePage *page, const QString &script)
{
    const std::optional<QVariant> answer = pageScriptAnswer(page, script, 15000);
    return answer ? answer->toString() : QStringLiteral("(no answer)");
}

bool TestCacheCleaning::writeMebibytes(const QString &name, int count)
{
    QFile file(name);
    return QDir().mkpath(QFileInfo(name).path()) && file.open(QIODevice::WriteOnly)
        && file.write(QByteArray(count * 1024 * 1024, 'x')) == count * 1024 * 1024;
}

void TestCacheCleaning::cleaningKeepsEveryLiveLogin()
{
    TestAppDir app;
    StandInPortal portal(app.path());
    QVERIFY(portal.start());
    struct Player { QString profile, account; std::unique_ptr<QWebEnginePage> page; };
    std::vector<Player> players;
    players.push_back({QStringLiteral("default"), QStringLiteral("korvo"), nullptr});
    players.push_back({QStringLiteral("10003"), QStringLiteral("korvo_xh1"), nullptr});
    const QUrl userCentre(Portal::portalRoot() + QStringLiteral("/user.php"));
    for (Player &player : players) {
        const QJsonObject login = portal.control({{QStringLiteral("op"), QStringLiteral("login")},
                                                  {QStringLiteral("user_name"), player.account}});
        QVERIFY(login.value(QStringLiteral("ok")).toBool());
        WebEngineProfile *profile = WebEngineProfile::profileFor(player.profile);
        for (const QString &key : {QStringLiteral("user_name"), QStringLiteral("user_id"), QStringLiteral("user_token")}) {
            QNetworkCookie cookie(key.toUtf8(), login.value(key).toString().toUtf8());
            cookie.setPath(QStringLiteral("/"));
            cookie.setDomain(Portal::cookieDomain());
            profile->cookieStore()->setCookie(cookie, QUrl());
        }
        player.page = std::make_unique<QWebEnginePage>(profile);
        QSignalSpy loaded(player.page.get(), &QWebEnginePage::loadFinished);
        player.page->load(userCentre);
        QVERIFY(loaded.wait(20000));
        QVERIFY2(runScript(player.page.get(), QStringLiteral("document.cookie")).contains(QStringLiteral("user_token=")),
                 qPrintable(player.account));
    }
    const QString stale = CacheDirectory::path() + QStringLiteral("/20001/storage/Cookies");
    const QString entry = CacheDirectory::path() + QStringLiteral("/default/Cache/0123456789abcdef_0");
    for (const QString &name : {stale, entry})
        QVERIFY(writeMebibytes(name, 2));

    ClearCacheForm form;
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(!form.isWorking(), 15000);
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("clearButton")), Qt::LeftButton);
    auto *freed = form.findChild<QLabel *>(QStringLiteral("tipLabel"));
    QTRY_VERIFY_WITH_TIMEOUT(freed->isVisible(), 15000);
    QVERIFY2(freed->text().chopped(1).toDouble() >= 4.0, qPrintable(freed->text()));
    QVERIFY(QDir(CacheDirectory::path() + QStringLiteral("/20001")).isEmpty());
    QVERIFY(!QFileInfo::exists(entry));

    for (Player &player : players) {
        QSignalSpy loaded(player.page.get(), &QWebEnginePage::loadFinished);
        player.page->load(userCentre);
        QVERIFY(loaded.wait(20000));
        const QString cookies = runScript(player.page.get(), QStringLiteral("document.cookie"));
        QVERIFY2(cookies.contains(QStringLiteral("user_token=")), qPrintable(player.account + QLatin1Char(':') + cookies));
        const QString body = runScript(player.page.get(), QStringLiteral("document.body.innerText"));
        QVERIFY2(!body.contains(QStringLiteral("未登录")), qPrintable(player.account + QLatin1Char(':') + body.left(200)));
    }
}

QTEST_MAIN(TestCacheCleaning)
#include "tst_cachecleaning.moc"
