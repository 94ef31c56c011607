#include "net/networkcookie.h"
#include "net/portal.h"
#include "testsupport.h"

#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <memory>


namespace {
// Qt WebEngine wants shared GL contexts before the application object exists.
void shareContexts()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}
Q_CONSTRUCTOR_FUNCTION(shareContexts)

const QStringList kIdentityNames = {QStringLiteral("plat_userid"), QStringLiteral("user_id"),  QStringLiteral("user_name"),      QStringLiteral("user_email"),
                                    QStringLiteral("user_nick"),   QStringLiteral("user_token"), QStringLiteral("user_login_time")};
constexpr int kStoreTimeoutMs = 10000;
}

// The jar over a real web profile's cookie store: what the login writes, what the
// store reports, and what the rest of the client reads back.
class TestNetworkCookie final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void setCookieIsReadableAtOnce();
    void laterWriteOfTheSameNameWins();
    void firstOfStoreDuplicatesWins();
    void storeRemovalMakesTheValueReadEmpty();
    void clearCookiesLeavesIdentityEmpty();
    void secondLoginOnANewJarReadsTheNewIdentity();
    void cookiesAlreadyInTheStoreAreReported();

private:
    QNetworkCookie storeCookie(const QByteArray &name, const QByteArray &value, const QString &path) const;
    void writeIdentity(NetworkCookie *jar, const QString &userId);
    static QByteArray storedValue(const QString &storage, const char *name);
    QString value(const NetworkCookie &jar, const QString &name) const
    {
        return QString::fromUtf8(jar.getCookie(name).value());
    }

    TestAppDir m_app;
    QWebEngineProfile *m_profile = nullptr;
    QWebEngineCookieStore *m_store = nullptr;
    QString m_domain = Portal::cookieDomainFor(QStringLiteral("www.korvogame.com"));
    int m_profileNumber = 0;
};

void TestNetworkCookie::init()
{
    // A named profile of its own per test, stored in the test's directory.
    const QString name = QStringLiteral("cookies%1").arg(++m_profileNumber);
    m_profile = new QWebEngineProfile(name, this);
    m_profile->setPersistentStoragePath(m_app.filePath(QStringLiteral("cacheData/") + name + QStringLiteral("/storage")));
    m_profile->setCachePath(m_app.filePath(QStringLiteral("cacheData/") + name));
    m_store = m_profile->cookieStore();
    // The store comes alive with the profile's first page, as in the client,
    // where the home tab always has one.
    auto *page = new QWebEnginePage(m_profile, m_profile);
    QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
    page->setHtml(QStringLiteral("<html></html>"));
    QVERIFY(loaded.wait(kStoreTimeoutMs));
}

void TestNetworkCookie::cleanup()
{
    // Pages go before their profile.
    qDeleteAll(m_profile->findChildren<QWebEnginePage *>());
    delete m_profile;
    m_profile = nullptr;
    m_store = nullptr;
}

QNetworkCookie TestNetworkCookie::storeCookie(const QByteArray &name, const QByteArray &value,
                                              const QString &path) const
{
    QNetworkCookie cookie(name, value);
    cookie.setDomain(m_domain);
    cookie.setPath(path);
    return cookie;
}

// The value the profile wrote to its cookie database, read with the sqlite3 tool.
QByteArray TestNetworkCookie::storedValue(const QString &storage, const char *name)
{
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"),
                 {storage + QStringLiteral("/Cookies"),
                  QStringLiteral("select value from cookies where name = '%1';").arg(QLatin1String(name))});
    if (!sqlite.waitForFinished(5000))
        return QByteArray();
    return sqlite.readAllStandardOutput().trimmed();
}

void TestNetworkCookie::writeIdentity(NetworkCookie *jar, const QString &userId)
{
    for (const QString &name : kIdentityNames)
        jar->setCookie(name, name + QLatin1Char('-') + userId, QStringLiteral("/"), 0, m_domain, false, false);
    jar->setCookie(QStringLiteral("user_id"), userId, QStringLiteral("/"), 0, m_domain, false, false);
}

void TestNetworkCookie::setCookieIsReadableAtOnce()
{
    NetworkCookie jar(m_store);
    QSignalSpy added(m_store, &QWebEngineCookieStore::cookieAdded);
    jar.setCookie(QStringLiteral("user_id"), QStringLiteral("42"), QStringLiteral("/"), 0, m_domain, false, false);

    QCOMPARE(value(jar, QStringLiteral("user_id")), QStringLiteral("42"));
    QCOMPARE(added.count(), 0);
    const QNetworkCookie cookie = jar.getCookie(QStringLiteral("user_id"));
    QVERIFY(cookie.isSessionCookie());
    QCOMPARE(cookie.path(), QStringLiteral("/"));
    QVERIFY(!cookie.isSecure());
    QVERIFY(!cookie.isHttpOnly());
    QVERIFY(jar.getCookie(QStringLiteral("user_token")).value().isEmpty());

    // The store took it as a session cookie of the portal's domain, and the
    // jar still reads it after the store's report.
    QTRY_COMPARE_WITH_TIMEOUT(added.count(), 1, kStoreTimeoutMs);
    const QNetworkCookie reported = added.at(0).at(0).value<QNetworkCookie>();
    QCOMPARE(reported.value(), QByteArray("42"));
    QVERIFY(reported.isSessionCookie());
    QVERIFY(reported.domain().endsWith(m_domain));
    QCOMPARE(value(jar, QStringLiteral("user_id")), QStringLiteral("42"));
}

void TestNetworkCookie::laterWriteOfTheSameNameWins()
{
    NetworkCookie jar(m_store);
    QSignalSpy added(m_store, &QWebEngineCookieStore::cookieAdded);
    jar.setCookie(QStringLiteral("user_id"), QStringLiteral("1"), QStringLiteral("/"), 0, m_domain, false, false);
    jar.setCookie(QStringLiteral("user_id"), QStringLiteral("2"), QStringLiteral("/"), 0, m_domain, false, false);
    QCOMPARE(value(jar, QStringLiteral("user_id")), QStringLiteral("2"));

    // The store reports both writes and the overwrite of the first; none of it
    // brings the old value back.
    QTRY_COMPARE_WITH_TIMEOUT(added.count(), 2, kStoreTimeoutMs);
    QCOMPARE(value(jar, QStringLiteral("user_id")), QStringLiteral("2"));
}

void TestNetworkCookie::firstOfStoreDuplicatesWins()
{
    NetworkCookie jar(m_store);
    QSignalSpy added(m_store, &QWebEngineCookieStore::cookieAdded);
    m_store->setCookie(storeCookie("dup", "first", QStringLiteral("/a")));
    QTRY_COMPARE_WITH_TIMEOUT(added.count(), 1, kStoreTimeoutMs);
    m_store->setCookie(storeCookie("dup", "second", QStringLiteral("/b")));
    QTRY_COMPARE_WITH_TIMEOUT(added.count(), 2, kStoreTimeoutMs);

    QCOMPARE(value(jar, QStringLiteral("dup")), QStringLiteral("first"));
}

void TestNetworkCookie::storeRemovalMakesTheValueReadEmpty()
{
    NetworkCookie jar(m_store);
    QSignalSpy added(m_store, &QWebEngineCookieStore::cookieAdded);
    jar.setCookie(QStringLiteral("user_token"), QStringLiteral("tok"), QStringLiteral("/"), 0, m_domain, false, false);
    QTRY_COMPARE_WITH_TIMEOUT(added.count(), 1, kStoreTimeoutMs);

    // A page or the portal removing the cookie logs the client out too.
    m_store->deleteCookie(added.at(0).at(0).value<QNetworkCookie>());
    QTRY_VERIFY_WITH_TIMEOUT(value(jar, QStringLiteral("user_token")).isEmpty(), kStoreTimeoutMs);
}

void TestNetworkCookie::clearCookiesLeavesIdentityEmpty()
{
    NetworkCookie jar(m_store);
    QSignalSpy added(m_store, &QWebEngineCookieStore::cookieAdded);
    QSignalSpy removed(m_store, &QWebEngineCookieStore::cookieRemoved);
    writeIdentity(&jar, QStringLiteral("7"));
    QTRY_VERIFY_WITH_TIMEOUT(added.count() >= kIdentityNames.size(), kStoreTimeoutMs);

    jar.clearCookies();
    for (const QString &name : kIdentityNames)
        QVERIFY2(value(jar, name).isEmpty(), qPrintable(name));
    // Whatever the store still had to report, the identity stays gone.
    QTRY_VERIFY_WITH_TIMEOUT(removed.count() >= kIdentityNames.size(), kStoreTimeoutMs);
    for (const QString &name : kIdentityNames)
        QVERIFY2(value(jar, name).isEmpty(), qPrintable(name));
}

void TestNetworkCookie::secondLoginOnANewJarReadsTheNewIdentity()
{
    // The login replaces the jar: clear the old one, drop it, delete the store's
    // cookies once more, write the new identity into a new jar at once.
    auto oldJar = std::make_unique<NetworkCookie>(m_store);
    QSignalSpy added(m_store, &QWebEngineCookieStore::cookieAdded);
    writeIdentity(oldJar.get(), QStringLiteral("1"));
    QTRY_VERIFY_WITH_TIMEOUT(added.count() >= kIdentityNames.size(), kStoreTimeoutMs);

    oldJar->clearCookies();
    oldJar.reset();
    m_store->deleteAllCookies();
    NetworkCookie jar(m_store);
    added.clear();
    writeIdentity(&jar, QStringLiteral("2"));
    QCOMPARE(value(jar, QStringLiteral("user_id")), QStringLiteral("2"));

    QTRY_VERIFY_WITH_TIMEOUT(added.count() >= kIdentityNames.size(), kStoreTimeoutMs);
    QCOMPARE(value(jar, QStringLiteral("user_id")), QStringLiteral("2"));
    QCOMPARE(value(jar, QStringLiteral("user_token")), QStringLiteral("user_token-2"));
}

void TestNetworkCookie::cookiesAlreadyInTheStoreAreReported()
{
    // A persistent cookie written in one run of the profile...
    const QString storage = m_app.filePath(QStringLiteral("cacheData/restart"));
    {
        QWebEngineProfile first(QStringLiteral("restart"));
        first.setPersistentStoragePath(storage);
        QWebEnginePage page(&first);
        QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
        page.setHtml(QStringLiteral("<html></html>"));
        QVERIFY(loaded.wait(kStoreTimeoutMs));
        NetworkCookie jar(first.cookieStore());
        QSignalSpy added(first.cookieStore(), &QWebEngineCookieStore::cookieAdded);
        jar.setCookie(QStringLiteral("remember"), QStringLiteral("korvo"), QStringLiteral("/"), 3600, m_domain, false, false);
        QTRY_COMPARE_WITH_TIMEOUT(added.count(), 1, kStoreTimeoutMs);
    }
    // The profile writes its cookie database as it closes; the next run reads it.
    QTRY_COMPARE_WITH_TIMEOUT(storedValue(storage, "remember"), QByteArray("korvo"), kStoreTimeoutMs);
    // ...is reported to the jar of the next run, built before any page, as at start-up.
    QWebEngineProfile second(QStringLiteral("restart"));
    second.setPersistentStoragePath(storage);
    NetworkCookie jar(second.cookieStore());
    QWebEnginePage page(&second);
    page.setHtml(QStringLiteral("<html></html>"));
    QTRY_COMPARE_WITH_TIMEOUT(value(jar, QStringLiteral("remember")), QStringLiteral("korvo"), kStoreTimeoutMs);
}

QTEST_MAIN(TestNetworkCookie)
#include "tst_networkcookie.moc"
