#include "seconduser.h"
#include "testsupport.h"
#include "webengineprofile.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>

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

QTEST_MAIN(TestWebEngineProfile)
#include "tst_webengineprofile.moc"
