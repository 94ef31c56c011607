#include "dialogs/auxwindows.h"
#include "web/backgroundtasks.h"
#include "dialogs/boxsettingform.h"
#include "dialogs/cachedirectory.h"
#include "dialogs/clearcacheform.h"
#include "web/hometoolbar.h"
#include "account/loginform.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "app/settings.h"
#include "dialogs/signform.h"
#include "dialogs/skinarchive.h"
#include "dialogs/skinform.h"
#include "dialogs/skininstaller.h"
#include "app/skinstyle.h"
#include "standinportal.h"
#include "web/tabwidget.h"
#include "testmainframe.h"
#include "testsupport.h"
#include "dialogs/updateform.h"
#include "dialogs/vipform.h"
#include "web/webengineprofile.h"
#include "windowchecks.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QWebEngineCookieStore>
#include <QWebEngineView>
#include "windowchecks.h"

#include <QtTest>

// The skin, update, cache, VIP and sign-in windows in the real main window,
// against the stand-in portal.
class TestAuxWindows final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<StandInPortal> m_portal;

    // Under KORVO_SHOT_DIR, a picture of the screen for a person to look at.
    static void shot(const char *name)
    {
        const QString dir = qEnvironmentVariable("KORVO_SHOT_DIR");
        if (dir.isEmpty())
            return;
        // Time passes on purpose: the picture is for a person, after the window has drawn itself.
        QTest::qWait(2500);
        QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QStringLiteral("root"),
                           dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png")});
    }

    static bool loaded(QWebEngineView *view)
    {
        QSignalSpy spy(view, &QWebEngineView::loadFinished);
        return spy.wait(15000) && spy.first().first().toBool();
    }

    static QString pageText(QWebEngineView *view)
    {
        QString text;
        bool done = false;
        view->page()->runJavaScript(QStringLiteral("document.body ? document.body.innerText : ''"),
                                    [&](const QVariant &result) { text = result.toString(); done = true; });
        if (!QTest::qWaitFor([&done] { return done; }, 10000))
            return QString();
        return text;
    }

    QString logIn(MainFrame &frame, const QString &name = QStringLiteral("korvo"))
    {
        const QJsonObject login = m_portal->control({{QStringLiteral("op"), QStringLiteral("login")},
                                                     {QStringLiteral("user_name"), name}});
        for (const QString &key : {QStringLiteral("user_name"), QStringLiteral("user_id"), QStringLiteral("user_token")})
            frame.loginForm()->cookieJar()->setCookie(key, login.value(key).toString(), QStringLiteral("/"), 0,
                                                      Portal::cookieDomain(), false, false);
        return login.value(QStringLiteral("user_token")).toString();
    }

    static void writeSettings(const QList<QPair<QString, QString>> &values)
    {
        Settings settings;
        for (const auto &value : values)
            settings.setValue(value.first, value.second);
        settings.sync();
    }

    static bool writeFile(const QString &path, qint64 size)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(size);
    }

    // blue installed and in use, then red chosen while the portal serves it with the fault.
    void chooseRedOverBlue(TestMainFrame &frame, QJsonObject fault)
    {
        frame.tabWidget()->handlerOpenUrl(Portal::portalRoot() + QStringLiteral("/skins/blue.zip"), QStringLiteral("blue"));
        QTRY_VERIFY_WITH_TIMEOUT(SkinArchive::isInstalled(SkinStyle::directoryFor(QStringLiteral("blue"))), 15000);
        fault.insert(QStringLiteral("op"), QStringLiteral("fault"));
        fault.insert(QStringLiteral("endpoint"), QStringLiteral("/skins/red.zip"));
        QVERIFY(m_portal->control(fault).value(QStringLiteral("ok")).toBool());
        frame.tabWidget()->handlerOpenUrl(Portal::portalRoot() + QStringLiteral("/skins/red.zip"), QStringLiteral("red"));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<TestAppDir>();
        m_portal = std::make_unique<StandInPortal>(m_dir->path());
        QVERIFY(m_portal->start());
        QDir(SkinStyle::themesDirectory()).removeRecursively();
    }

    void cleanup()
    {
        WebEngineProfile::profileFor(QStringLiteral("default"))->cookieStore()->deleteAllCookies();
        m_portal.reset();
        m_dir.reset();
    }

    void skinChosenOnThePageIsInstalledOnce()
    {
        TestMainFrame frame;
        frame.show();
        frame.showSkinWindow();
        SkinForm *form = frame.auxWindows()->skinForm();
        QVERIFY(form->isVisible());
        auto *view = namedChild<QWebEngineView>(form, "skinWebView");
        QVERIFY(view);
        QVERIFY(view->page()->profile() == WebEngineProfile::profileFor(QStringLiteral("default")));
        QVERIFY(loaded(view));
        shot("skin-window");

        view->page()->runJavaScript(QStringLiteral(
            "Array.from(document.querySelectorAll('.tile a'))"
            ".find(function (a) { return a.getAttribute('onclick').indexOf('blue.zip') >= 0; }).click();"));
        QTRY_COMPARE_WITH_TIMEOUT(frame.settings()->value(QStringLiteral("common/skin")).toString(),
                                  QStringLiteral("blue"), 15000);
        const QString themes = SkinStyle::themesDirectory();
        QCOMPARE(frame.services().skinDirectory, themes + QStringLiteral("blue/"));
        QVERIFY(QFileInfo::exists(themes + QStringLiteral("blue/photo.jpg")));
        QVERIFY(!QFileInfo::exists(themes + QStringLiteral("blue.zip")));
        QFile sheet(themes + QStringLiteral("blue/style.qss"));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        QVERIFY(qApp->styleSheet().endsWith(QString::fromUtf8(sheet.readAll())));
        QCOMPARE(m_portal->requestCount(QStringLiteral("/skins/blue.zip")), 1);
        // The page's own list marks the skin in use.
        QTRY_VERIFY_WITH_TIMEOUT(view->url().toString().endsWith(QStringLiteral("skin_code=blue")), 10000);
        form->close();
        shot("skin-applied");

        // Chosen again: from the disk. The default skin: no request at all.
        const QString package = Portal::portalRoot() + QStringLiteral("/skins/blue.zip");
        frame.applySkin(QStringLiteral("default"));
        frame.tabWidget()->handlerOpenUrl(package, QStringLiteral("blue"));
        QCOMPARE(frame.services().skinDirectory, themes + QStringLiteral("blue/"));
        frame.tabWidget()->handlerOpenUrl(QString(), QStringLiteral("default"));
        QCOMPARE(frame.services().skinDirectory, QString());
        QCOMPARE(frame.settings()->value(QStringLiteral("common/skin")).toString(), QStringLiteral("default"));
        QCOMPARE(m_portal->requestCount(QStringLiteral("/skins/blue.zip")), 1);
    }

    void latestChoiceWins()
    {
        TestMainFrame frame;
        frame.tabWidget()->handlerOpenUrl(Portal::portalRoot() + QStringLiteral("/skins/blue.zip"), QStringLiteral("blue"));
        frame.tabWidget()->handlerOpenUrl(QString(), QStringLiteral("default"));
        SkinInstaller *installer = frame.auxWindows()->skinForm()->installer();
        QTRY_VERIFY_WITH_TIMEOUT(!installer->isBusy(), 15000);
        QVERIFY(SkinArchive::isInstalled(SkinStyle::directoryFor(QStringLiteral("blue"))));
        QCOMPARE(frame.services().skinDirectory, QString());
        QCOMPARE(frame.settings()->value(QStringLiteral("common/skin")).toString(), QStringLiteral("default"));
    }

    void failedDownloadKeepsTheSkin_data()
    {
        QTest::addColumn<QJsonObject>("fault");
        QTest::newRow("error status") << QJsonObject{{QStringLiteral("status"), 404}};
        QTest::newRow("error page as success") << QJsonObject{{QStringLiteral("word"), QStringLiteral("<html>维护中</html>")}};
        QTest::newRow("connection dropped") << QJsonObject{{QStringLiteral("drop"), 1}};
    }

    void failedDownloadKeepsTheSkin()
    {
        QFETCH(QJsonObject, fault);
        writeSettings({{QStringLiteral("common/skin"), QStringLiteral("blue")}});
        TestMainFrame frame;
        frame.show();
        chooseRedOverBlue(frame, fault);

        QMessageBox *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = frame.findChild<QMessageBox *>()) && box->isVisible(), 20000);
        QCOMPARE(box->windowTitle(), QStringLiteral("提示"));
        QCOMPARE(box->text(), QStringLiteral("皮肤下载失败，请稍后再试"));
        QCOMPARE(frame.settings()->value(QStringLiteral("common/skin")).toString(), QStringLiteral("blue"));
        QCOMPARE(frame.services().skinDirectory, SkinStyle::directoryFor(QStringLiteral("blue")));
        QCOMPARE(QDir(SkinStyle::themesDirectory()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("blue")});
    }

    void leftoversOfAKilledInstallGoAtStart()
    {
        const QString themes = SkinStyle::themesDirectory();
        for (const char *file : {"blue/style.qss", "blue/photo.jpg", "red.zip", ".install-x1Yz/red/style.qss"})
            QVERIFY(writeFile(themes + QLatin1String(file), 1024));
        writeSettings({{QStringLiteral("common/skin"), QStringLiteral("blue")}});
        TestMainFrame frame;
        QCOMPARE(QDir(themes).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{QStringLiteral("blue")});
        QVERIFY(SkinArchive::isInstalled(themes + QStringLiteral("blue")));
        QCOMPARE(frame.services().skinDirectory, themes + QStringLiteral("blue/"));
    }

    void hostileSkinPackages_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("applied");
        QTest::newRow("a page beside the skin's files") << QStringLiteral("extra_html") << true;
        QTest::newRow("sheet naming files outside its folder") << QStringLiteral("qss_urls") << true;
        QTest::newRow("15 MiB sheet") << QStringLiteral("large_qss") << false;
        QTest::newRow("11000 x 11000 picture") << QStringLiteral("huge_photo") << false;
    }

    void hostileSkinPackages()
    {
        QFETCH(QString, kind);
        QFETCH(bool, applied);
        writeSettings({{QStringLiteral("common/skin"), QStringLiteral("blue")}});
        TestMainFrame frame;
        frame.show();
        chooseRedOverBlue(frame, {{QStringLiteral("hostile_skin"), kind}});
        QVERIFY(!QTest::currentTestFailed());
        SkinInstaller *installer = frame.auxWindows()->skinForm()->installer();
        QTRY_VERIFY_WITH_TIMEOUT(!installer->isBusy(), 60000);

        const QString red = SkinStyle::themesDirectory() + QStringLiteral("red");
        QCOMPARE(frame.settings()->value(QStringLiteral("common/skin")).toString(),
                 applied ? QStringLiteral("red") : QStringLiteral("blue"));
        // Only the skin's two files are installed, and a sheet names no file outside its folder.
        QCOMPARE(QDir(red).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 applied ? QStringList({QStringLiteral("photo.jpg"), QStringLiteral("style.qss")}) : QStringList());
        for (const char *outside : {"/etc/shadow", "/dev/urandom", "vmgamebox.db"})
            QVERIFY2(!qApp->styleSheet().contains(QLatin1String(outside)), outside);
    }

    void updateCheck_data()
    {
        QTest::addColumn<QString>("latest");
        QTest::addColumn<bool>("skipped");
        QTest::addColumn<bool>("atStart");
        QTest::addColumn<bool>("boxShown");
        QTest::newRow("newer") << QStringLiteral("1.5.2.0") << false << true << true;
        QTest::newRow("newer, numerically") << QStringLiteral("1.5.1.10") << false << true << true;
        QTest::newRow("newer, skipped") << QStringLiteral("1.5.2.0") << true << false << true;
        QTest::newRow("up to date") << QStringLiteral("1.5.1.4") << false << false << false;
    }

    void updateCheck()
    {
        QFETCH(QString, latest);
        QFETCH(bool, skipped);
        QFETCH(bool, atStart);
        QFETCH(bool, boxShown);
        m_portal->control({{QStringLiteral("op"), QStringLiteral("latest_version")}, {QStringLiteral("version"), latest}});
        if (skipped)
            writeSettings({{QStringLiteral("update/isJump"), QStringLiteral("true")},
                           {QStringLiteral("update/version"), latest}});
        TestMainFrame frame;
        frame.show();
        QTRY_VERIFY_WITH_TIMEOUT(!frame.services().tasks->updateCheck(), 15000);
        QCoreApplication::processEvents();
        QCOMPARE(frame.auxWindows()->updateForm() != nullptr, atStart);
        // The dialog asks for itself when it is made.
        QCOMPARE(m_portal->apiCalls(QStringLiteral("check_update")).size(), atStart ? 2 : 1);

        frame.handlerUpdate();
        UpdateForm *form = frame.auxWindows()->updateForm();
        QVERIFY(form->isVisible());
        auto *box = namedChild<QCheckBox>(form, "checkBox");
        auto *button = namedChild<QPushButton>(form, "CheckUpdatebutton");
        // Asked again: the button waits for the answer.
        QVERIFY(!button->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled(), 10000);
        QCOMPARE(namedChild<QLabel>(form, "lastVersionLabel")->text(), QStringLiteral("最新版本:") + latest);
        QCOMPARE(namedChild<QLabel>(form, "curVersionLabel")->text(), QStringLiteral("当前版本:1.5.1.4"));
        QCOMPARE(box->isVisible(), boxShown);
        QCOMPARE(button->text(), boxShown ? QStringLiteral("下载") : QStringLiteral("确定"));
        shot(boxShown ? "update-newer" : "update-current");
        if (!boxShown) {
            QCOMPARE(namedChild<QLabel>(form, "updateTipLabel")->text(), QStringLiteral("Korvo游戏盒已是最新"));
            return;
        }
        QCOMPARE(box->isChecked(), skipped);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QCOMPARE(box->isChecked(), !skipped);
        QCOMPARE(frame.settings()->contains(QStringLiteral("update/isJump")), !skipped);
        QCOMPARE(frame.settings()->value(QStringLiteral("update/version")).toString(), skipped ? QString() : latest);
    }

    void cacheWindowEmptiesWhatIsNotLive()
    {
        const QString cache = CacheDirectory::path();
        const qint64 big = 3LL * 1024 * 1024 * 1024;
        QVERIFY(writeFile(cache + QStringLiteral("/88888/big"), big));
        QVERIFY(writeFile(cache + QStringLiteral("/99999/storage/Cookies"), 4096));
        QVERIFY(writeFile(cache + QStringLiteral("/default/keep.marker"), 10));
        TestMainFrame frame;
        frame.show();
        frame.handlerClearCache();
        ClearCacheForm *form = frame.auxWindows()->clearCacheForm();
        QVERIFY(form->isVisible());
        auto *size = namedChild<QLabel>(form, "cachesizeLabel");
        QTRY_VERIFY_WITH_TIMEOUT(size->text().endsWith(QLatin1Char('M')), 15000);
        QVERIFY2(size->text().chopped(1).toDouble() >= 3072.0, qPrintable(size->text()));
        QCOMPARE(namedChild<QLabel>(form, "warnLabel")->text(), QStringLiteral("注意：小号的登录信息也会被清除"));
        QVERIFY(!namedChild<QLabel>(form, "tipLabel")->isVisible());
        shot("cache-before");

        QTest::mouseClick(namedChild<QPushButton>(form, "clearButton"), Qt::LeftButton);
        auto *freed = namedChild<QLabel>(form, "tipLabel");
        QTRY_VERIFY_WITH_TIMEOUT(freed->isVisible(), 15000);
        // The live profile may write a little meanwhile: freed is the 3 GiB less that.
        QVERIFY2(freed->text().chopped(1).toDouble() >= 3008.0, qPrintable(freed->text()));
        QVERIFY(size->text().chopped(1).toDouble() < 3072.0);
        QVERIFY(QDir(cache + QStringLiteral("/88888")).isEmpty());
        QVERIFY(QDir(cache + QStringLiteral("/99999")).isEmpty());
        QVERIFY(QFileInfo::exists(cache + QStringLiteral("/default/keep.marker")));
        shot("cache-after");

        // Opened again: measured anew, the freed amount hidden; from every clean button.
        form->close();
        emit frame.tabWidget()->homeToolBar()->signalCleanCache();
        QVERIFY(form->isVisible());
        QVERIFY(!freed->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!form->isWorking(), 15000);
        form->close();
        emit frame.tabWidget()->signalCleanCacheRequested();
        QVERIFY(form->isVisible());
        form->close();
        frame.showSettingWindow();
        QTest::mouseClick(namedChild<QPushButton>(frame.findChild<BoxSettingForm *>(), "ClearCacheBtn"), Qt::LeftButton);
        QVERIFY(form->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!form->isWorking(), 15000);
    }

    void vipAndSignWindowsNeedALogin()
    {
        TestMainFrame frame;
        frame.show();
        frame.showVipWindow();
        frame.tabWidget()->handlerSign();
        QVERIFY(!frame.auxWindows()->vipForm());
        QVERIFY(!frame.findChild<SignForm *>());
        QVERIFY(frame.loginForm()->isVisible());
        frame.loginForm()->hide();

        const QString token = logIn(frame);
        QTest::mouseClick(namedChild<QPushButton>(&frame, "vipBtn"), Qt::LeftButton);
        VipForm *vip = frame.auxWindows()->vipForm();
        QVERIFY(vip && vip->isVisible());
        auto *vipView = namedChild<QWebEngineView>(vip, "vipWebView");
        QVERIFY(vipView->page()->profile() == WebEngineProfile::profileFor(QStringLiteral("default")));
        QVERIFY(loaded(vipView));
        QVERIFY(vipView->url().toString().endsWith(QStringLiteral("&v2&user_id=10001&user_token=") + token));
        QVERIFY(pageText(vipView).contains(QStringLiteral("VIP3")));
        shot("vip-window");
        vip->close();
        const int loads = m_portal->requestCount(QStringLiteral("/DODev_C/index.php"), QStringLiteral("Vip_privilege"));
        frame.showVipWindow();
        QCOMPARE(frame.auxWindows()->vipForm(), vip);
        QTRY_COMPARE_WITH_TIMEOUT(
            m_portal->requestCount(QStringLiteral("/DODev_C/index.php"), QStringLiteral("Vip_privilege")), loads + 1,
            10000);
        vip->close();

        frame.tabWidget()->handlerSign();
        auto *sign = frame.findChild<SignForm *>();
        QVERIFY(sign && sign->isVisible());
        auto *signView = namedChild<QWebEngineView>(sign, "signWebView");
        QVERIFY(loaded(signView));
        QVERIFY(signView->url().toString().endsWith(QStringLiteral("action=user_signCalendar&v2&user_id=10001")));
        QVERIFY(pageText(signView).contains(QStringLiteral("签到日历")));
        shot("sign-window");
        // The points mall, asked for by the calendar page, takes the window's place.
        const int tabs = frame.tabWidget()->count();
        WindowChecks::userInput(signView);
        signView->page()->runJavaScript(QStringLiteral("korvo.call('OpenJFSC')"));
        QTRY_VERIFY_WITH_TIMEOUT(!sign->isVisible(), 10000);
        QCOMPARE(frame.tabWidget()->count(), tabs + 1);

        // Another user: the same window, that user's calendar.
        logIn(frame, QStringLiteral("mingyue"));
        frame.tabWidget()->handlerSign();
        QCOMPARE(frame.findChildren<SignForm *>().size(), 1);
        QVERIFY(sign->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(signView->url().toString().endsWith(QStringLiteral("&user_id=10002")), 10000);
    }
};

QTEST_MAIN(TestAuxWindows)
#include "tst_auxwindows.moc"
