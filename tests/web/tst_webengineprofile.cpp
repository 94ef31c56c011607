#include "pagescript.h"
#include "net/portal.h"
#include "seconduser.h"
#include "standinportal.h"
#include "testsupport.h"
#include "web/webengineprofile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QNetworkCookie>
#include <QProcess>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineSettings>

#include <memory>
#include <vector>

#include <sys/stat.h>

class TestWebEngineProfile final : public QObject
{
    Q_OBJECT

private slots:
    void sameObjectPerName();
    void storesUnderCacheData();
    void cacheDataIsTheUsersAlone();
    void storageFolder_data();
    void storageFolder();
    void pageDataReachesTheProfileFolder();
    void fiveProfilesSeeNothingOfEachOther();
    void unknownSchemesStayInside();
    void sessionCookiesEndWithTheProcess();

private:
    TestAppDir m_app;   // profiles live for the process: one folder for all cases
};

void TestWebEngineProfile::sameObjectPerName()
{
    WebEngineProfile *first = WebEngineProfile::profileFor(QStringLiteral("default"));
    QCOMPARE(first->storageName(), QStringLiteral("default"));
    QCOMPARE(WebEngineProfile::profileFor(QStringLiteral("default")), first);
    WebEngineProfile *small = WebEngineProfile::profileFor(QStringLiteral("4711"));
    QVERIFY(small != first);
    QCOMPARE(WebEngineProfile::profileFor(QStringLiteral("4711")), small);
    QVERIFY(!first->isOffTheRecord());
    QVERIFY(!WebEngineProfile::profileFor(QString())->isOffTheRecord());
}

void TestWebEngineProfile::storesUnderCacheData()
{
    WebEngineProfile *profile = WebEngineProfile::profileFor(QStringLiteral("x"));
    const QString root = m_app.path() + QStringLiteral("/cacheData/");
    QCOMPARE(profile->cacheRoot, root);
    QCOMPARE(profile->cachePath(), root + QStringLiteral("x"));
    QCOMPARE(profile->persistentStoragePath(), root + QStringLiteral("x/storage"));
}

void TestWebEngineProfile::cacheDataIsTheUsersAlone()
{
    const QString root = m_app.filePath(QStringLiteral("cacheData"));
    const QByteArray name = QFile::encodeName(root);
    // Found wide open (as an earlier version left it), mended when a profile is set up.
    QVERIFY(QDir().mkpath(root));
    QVERIFY(::chmod(name.constData(), 0777) == 0);
    WebEngineProfile::profileFor(QStringLiteral("cache-mode"));
    struct stat info;
    QVERIFY(::stat(name.constData(), &info) == 0);
    QCOMPARE(QString::number(info.st_mode & 07777, 8), QStringLiteral("700"));

    QString whyNot;
    if (!SecondUser::ensure(&whyNot))
        QSKIP(qPrintable(whyNot));
    QVERIFY(::chmod(QFile::encodeName(m_app.path()).constData(), 0755) == 0);
    QCOMPARE(SecondUser::run(QStringLiteral("ls"), {m_app.filePath(QStringLiteral("icons_Korvo"))}), 0);
    QVERIFY(SecondUser::run(QStringLiteral("ls"), {root}) != 0);
}

void TestWebEngineProfile::storageFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder");
    QTest::newRow("main account") << "default" << "default";
    QTest::newRow("small account id") << "1024" << "1024";
    QTest::newRow("parent folder") << ".." << "%2E%2E";
    QTest::newRow("current folder") << "." << "%2E";
    QTest::newRow("path") << "../../etc" << "..%2F..%2Fetc";
    QTest::newRow("backslash") << "a\\b" << "a%5Cb";
    QTest::newRow("already encoded stays apart") << "a%2Fb" << "a%252Fb";
    QTest::newRow("empty") << "" << "%";
}

void TestWebEngineProfile::storageFolder()
{
    QFETCH(QString, name);
    QFETCH(QString, folder);
    QCOMPARE(WebEngineProfile::storageFolder(name), folder);
    QVERIFY(!folder.contains(QLatin1Char('/')));
}

void TestWebEngineProfile::pageDataReachesTheProfileFolder()
{
    WebEngineProfile *profile = WebEngineProfile::profileFor(QStringLiteral("7"));
    QWebEnginePage page(profile);
    QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
    page.setHtml(QStringLiteral("<script>localStorage.setItem('k', 'v');</script>"),
                 QUrl(QStringLiteral("http://portal.test/")));
    QVERIFY(loaded.wait(20000));
    const QString storage = m_app.path() + QStringLiteral("/cacheData/%1/storage/Local Storage");
    QTRY_VERIFY_WITH_TIMEOUT(QDir(storage.arg(QLatin1String("7"))).exists(), 20000);
    QVERIFY(!QDir(storage.arg(QLatin1String("default"))).exists());
}

namespace {
QString runScript(QWebEnginePage *page, const QString &script)
{
    const std::optional<QVariant> answer = pageScriptAnswer(page, script, 10000);
    return answer ? answer->toString() : QStringLiteral("(no answer)");
}

// Whether any file below folder holds the bytes.
bool folderHolds(const QString &folder, const QByteArray &bytes)
{
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(bytes))
            return true;
    }
    return false;
}
}

// The main account and four small accounts on one portal page at once: each
// page, each cookie store and each profile folder holds its own mark only.
void TestWebEngineProfile::fiveProfilesSeeNothingOfEachOther()
{
    StandInPortal portal(m_app.path());
    QVERIFY(portal.start());
    const QStringList names{QStringLiteral("default"), QStringLiteral("30001"), QStringLiteral("30002"),
                            QStringLiteral("30003"), QStringLiteral("30004")};
    const QUrl url(Portal::portalRoot() + QStringLiteral("/static/bridge_probe.html"));
    const auto markOf = [](const QString &name) { return QStringLiteral("isolated-%1").arg(name); };

    std::vector<std::unique_ptr<QWebEnginePage>> pages;
    QHash<QString, QStringList> storeSaw;
    for (const QString &name : names) {
        WebEngineProfile *profile = WebEngineProfile::profileFor(name);
        connect(profile->cookieStore(), &QWebEngineCookieStore::cookieAdded, this,
                [&storeSaw, name](const QNetworkCookie &cookie) {
                    if (cookie.name() == "mark")
                        storeSaw[name] << QString::fromUtf8(cookie.value());
                });
        pages.push_back(std::make_unique<QWebEnginePage>(profile));
        QSignalSpy loaded(pages.back().get(), &QWebEnginePage::loadFinished);
        pages.back()->load(url);
        QVERIFY(loaded.wait(20000));
        QVERIFY(loaded.first().first().toBool());
        runScript(pages.back().get(), QStringLiteral("document.cookie = 'mark=%1; max-age=3600; path=/';"
                                                     "localStorage.setItem('mark', '%1'); 'set'")
                                          .arg(markOf(name)));
    }

    const QString read = QStringLiteral(
        "document.cookie.split('; ').filter(c => c.startsWith('mark=')).join(',') + '|' + localStorage.getItem('mark')");
    for (size_t i = 0; i < pages.size(); ++i) {
        const QString mark = markOf(names.at(int(i)));
        QCOMPARE(runScript(pages.at(i).get(), read), QStringLiteral("mark=%1|%1").arg(mark));
        QTRY_COMPARE_WITH_TIMEOUT(storeSaw.value(names.at(int(i))), QStringList{mark}, 10000);
    }

    // On disk: each folder gets its own mark (local storage is written a few
    // seconds after the page sets it) and never another's.
    const QString root = m_app.filePath(QStringLiteral("cacheData/"));
    for (const QString &name : names)
        QTRY_VERIFY_WITH_TIMEOUT(folderHolds(root + name, markOf(name).toUtf8()), 30000);
    for (const QString &name : names) {
        for (const QString &other : names) {
            if (other != name)
                QVERIFY2(!folderHolds(root + name, markOf(other).toUtf8()), qPrintable(name + QLatin1String(" holds ") + other));
        }
    }
}


void TestWebEngineProfile::unknownSchemesStayInside()
{
    WebEngineProfile *profile = WebEngineProfile::profileFor(QStringLiteral("schemes"));
    for (QWebEngineProfile *each : {static_cast<QWebEngineProfile *>(profile), QWebEngineProfile::defaultProfile()})
        QCOMPARE(each->settings()->unknownUrlSchemePolicy(), QWebEngineSettings::DisallowUnknownUrlSchemes);
}

void TestWebEngineProfile::sessionCookiesEndWithTheProcess()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess probe;
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The probe ends with the engine's threads still busy, where the leak
    // checker of a sanitizer build can fail itself and hang: memory errors
    // are checked there, leaks are not.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString sanitizer = env.value(QStringLiteral("ASAN_OPTIONS"));
    if (!sanitizer.isEmpty())
        env.insert(QStringLiteral("ASAN_OPTIONS"), sanitizer + QStringLiteral(":detect_leaks=0"));
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(PROBE_PATH), {dir.path()});
    QVERIFY(probe.waitForFinished(90000));
    QCOMPARE(probe.exitCode(), 0);
    // The portal's own persistent cookie shows the file was written at all.
    const QString file = dir.path() + QStringLiteral("/cacheData/default/storage/Cookies");
    QCOMPARE(sqliteTool(file, QStringLiteral("SELECT name FROM cookies ORDER BY name")), QStringLiteral("portal_pref"));
}

QTEST_MAIN(TestWebEngineProfile)
#include "tst_webengineprofile.moc"
