#include "app/extras.h"
#include "shell/gameopener.h"
#include "shell/sessionrestore.h"
#include "shell/gamesessions.h"
#include "shell/gametabmenu.h"
#include "account/loginform.h"
#include "net/portal.h"
#include "web/rememberedgames.h"
#include "net/session.h"
#include "app/settings.h"
#include "shell/shortcutlauncher.h"
#include "web/shortcuttoken.h"
#include "account/sqlite.h"
#include "standinportal.h"
#include "web/tabwidget.h"
#include "testmainframe.h"
#include "testsupport.h"
#include "windowchecks.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSessionManager>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>

// Games that outlive a session, in the main window against the stand-in
// portal and the real web engine: a restart offers the last session's games
// and reopens them as their accounts, a shortcut address opens a game as the
// small account it names, and a game tab's menu writes the desktop entry.
// The cases run in order, each on the window the one before left.
class TestGameSessions final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void restartReopensGamesInTheirOwnProfiles();
    void desktopSessionSaveWritesTheOpenGames();
    void shortcutAddressOpensTheGameAsTheNamedAccount();
    void tabMenuWritesAValidDesktopEntry();
    void turnedOffTheyDoNothing();

private:
    void startFrame();
    void addGameOf(const QString &address, const QString &profileFlag);
    QWidget *tabOf(const QString &profileFlag, const QString &serverId) const;

    QTemporaryDir m_home;
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<StandInPortal> m_portal;
    std::unique_ptr<TestMainFrame> m_frame;
};

void TestGameSessions::initTestCase()
{
    // The desktop folder of this test, as the user's folder settings name it.
    QVERIFY(m_home.isValid());
    QDir(m_home.path()).mkpath(QStringLiteral("config"));
    QFile dirs(m_home.filePath(QStringLiteral("config/user-dirs.dirs")));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DESKTOP_DIR=\"" + m_home.filePath(QStringLiteral("Desktop")).toUtf8() + "\"\n");
    dirs.close();
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), m_home.filePath(QStringLiteral("Desktop")));

    m_dir = std::make_unique<TestAppDir>();
    m_portal = std::make_unique<StandInPortal>(m_dir->path());
    QVERIFY(m_portal->start());
    startFrame();
    // The small account of the demo user, stored as the manager stores it.
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash("xiaohao123", QCryptographicHash::Md5).toHex());
    QVERIFY(m_frame->sqlite()->insert({{QStringLiteral("user_id"), QStringLiteral("10003")},
                                       {QStringLiteral("user_name"), QStringLiteral("korvo_xh1")},
                                       {QStringLiteral("user_pass"), digest},
                                       {QStringLiteral("main_id"), QStringLiteral("10001")},
                                       {QStringLiteral("is_main"), QStringLiteral("0")}}));
}

void TestGameSessions::cleanupTestCase()
{
    m_frame.reset();
    m_portal.reset();
}

void TestGameSessions::startFrame()
{
    m_frame = std::make_unique<TestMainFrame>();
    m_frame->show();
    LoginForm *login = m_frame->loginForm();
    login->findChild<QComboBox *>(QStringLiteral("login_AccountTxt"))->setEditText(QStringLiteral("korvo"));
    login->findChild<QLineEdit *>(QStringLiteral("login_PasswordTxt"))->setText(QStringLiteral("korvo123"));
    login->findChild<QPushButton *>(QStringLiteral("login_LoginBtn"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(m_frame->session()->isLoggedIn(), 15000);
}

QWidget *TestGameSessions::tabOf(const QString &profileFlag, const QString &serverId) const
{
    TabWidget *tabs = m_frame->tabWidget();
    for (int index = 1; index < tabs->count(); ++index) {
        QWidget *tab = tabs->widget(index);
        if (tab->property("myProfileFlag").toString() == profileFlag
            && tab->property("serverId").toString() == serverId)
            return tab;
    }
    return nullptr;
}

void TestGameSessions::restartReopensGamesInTheirOwnProfiles()
{
    TabWidget *tabs = m_frame->tabWidget();
    // The main account plays a server it clicked on the home page ...
    tabs->HandlerCreateWebBridge(QUrl(Portal::portalRoot() + QStringLiteral("/game_play/108.html")),
                                 QWebEnginePage::NavigationTypeLinkClicked);
    QTRY_VERIFY(tabOf(QStringLiteral("default"), QStringLiteral("108")));
    // ... and its small account another, logged in as the side bar logs it in.
    GameTab small;
    small.kind = QStringLiteral("play");
    small.host = QStringLiteral("longcheng");
    small.serverId = QStringLiteral("204");
    small.account = QStringLiteral("korvo_xh1");
    m_frame->gameSessions()->opener()->open({small});
    QTRY_VERIFY_WITH_TIMEOUT(tabOf(QStringLiteral("10003"), QStringLiteral("204")), 15000);

    m_frame.reset();
    const QString stored = Settings().value(RememberedGames::key()).toString();
    QVERIFY2(!stored.contains(QStringLiteral("token")) && !stored.contains(QStringLiteral("pass")), qPrintable(stored));

    startFrame();
    QVERIFY2(!Settings().contains(RememberedGames::key()), "a start left what it found for the start after it");
    auto *offer = m_frame->findChild<QPushButton *>(QStringLiteral("footRestoreBtn"));
    QTRY_VERIFY(offer->isVisible());
    QCOMPARE(m_frame->tabWidget()->count(), 1);
    screenShot(QStringLiteral("restore-offer"));
    QTest::mouseClick(offer, Qt::LeftButton);
    QVERIFY(!offer->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(tabOf(QStringLiteral("10003"), QStringLiteral("204")), 15000);
    QWidget *mainTab = tabOf(QStringLiteral("default"), QStringLiteral("108"));
    QWidget *smallTab = tabOf(QStringLiteral("10003"), QStringLiteral("204"));
    QVERIFY(mainTab);
    QCOMPARE(m_frame->tabWidget()->count(), 3);
    QCOMPARE(mainTab->findChild<WebView *>()->page()->profile(), m_frame->services().profile);
    QCOMPARE(smallTab->findChild<WebView *>()->page()->profile(),
             WebEngineProfile::profileFor(QStringLiteral("10003")));
    QCOMPARE(smallTab->property("userName").toString(), QStringLiteral("korvo_xh1"));
    // The game address names the account that plays it.
    QTRY_VERIFY_WITH_TIMEOUT(smallTab->findChild<WebView *>()->url().toString().contains(QStringLiteral("user_id=10003")),
                             15000);
}

// A logout may take the display away before the program is asked to end:
// the desktop session's save request writes the games at once, and the
// client goes on as it was.
void TestGameSessions::desktopSessionSaveWritesTheOpenGames()
{
    auto *manager = qApp->findChild<QSessionManager *>();
    QVERIFY(manager);
    QVERIFY(!Settings().contains(RememberedGames::key()));
    emit qApp->commitDataRequest(*manager);
    const Settings settings;
    QCOMPARE(RememberedGames::load(&settings), GameOpener::openGames(m_frame->tabWidget()));
    QCOMPARE(RememberedGames::load(&settings).size(), 2);
    QCOMPARE(m_frame->quitRequests, 0);
    QVERIFY(m_frame->isVisible());
}

void TestGameSessions::shortcutAddressOpensTheGameAsTheNamedAccount()
{
    TabWidget *tabs = m_frame->tabWidget();
    ShortcutLauncher *launcher = m_frame->gameSessions()->launcher();
    const int before = tabs->count();
    // From a web page or another program: nothing opens before the user's yes.
    launcher->openAddress(QStringLiteral("korvo://play?account=korvo_xh1&host=xianxia&server=101"));
    QVERIFY(launcher->question());
    QTRY_VERIFY(launcher->question()->isVisible());
    QVERIFY(launcher->question()->text().contains(QStringLiteral("“korvo_xh1”")));
    QVERIFY(!m_frame->gameSessions()->opener()->isBusy());
    QCOMPARE(launcher->pendingCount(), 0);
    QCOMPARE(tabs->count(), before);
    launcher->question()->buttons().first()->click();
    QTRY_VERIFY_WITH_TIMEOUT(tabOf(QStringLiteral("10003"), QStringLiteral("101")), 15000);
    QCOMPARE(tabs->count(), before + 1);
    QCOMPARE(tabs->currentWidget(), tabOf(QStringLiteral("10003"), QStringLiteral("101")));

    // The client's own shortcuts carry the token and ask nothing.
    const QString token = ShortcutToken::of(m_frame->settings());
    launcher->openAddress(QStringLiteral("korvo://play?account=nobody&host=xianxia&server=101&token=") + token);
    QCOMPARE(WindowChecks::takeNotice(m_frame.get()), QStringLiteral("本机没有保存账号“nobody”，无法打开该游戏"));
    // Invalid addresses, however many, are told once and block nothing.
    for (int i = 0; i < 50; ++i)
        launcher->openAddress(QStringLiteral("korvo://play?account=korvo_xh1&host=xianxia&server=101&server=102"));
    QList<QMessageBox *> shown;
    for (QMessageBox *box : m_frame->findChildren<QMessageBox *>()) {
        if (box->isVisible())
            shown << box;
    }
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first()->windowModality(), Qt::NonModal);
    QCOMPARE(WindowChecks::takeNotice(m_frame.get()), QStringLiteral("快捷方式的地址无效，无法打开游戏"));
    // A plain wake-up of a second start is no address.
    launcher->openAddress(QStringLiteral("--some-switch"));
    QCOMPARE(tabs->count(), before + 1);
}

void TestGameSessions::tabMenuWritesAValidDesktopEntry()
{
    TabWidget *tabs = m_frame->tabWidget();
    const int index = tabs->indexOf(tabOf(QStringLiteral("10003"), QStringLiteral("101")));
    QVERIFY(index > 0);
    QTabBar *bar = tabs->tabBar();
    const QPoint at = bar->tabRect(index).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
    QCoreApplication::sendEvent(bar, &click);
    QMenu *menu = m_frame->gameSessions()->tabMenu()->menu();
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    screenShot(QStringLiteral("tab-menu"));
    QAction *create = menu->findChild<QAction *>(QStringLiteral("gameTabMenu_ShortcutAction"));
    QCOMPARE(create->text(), QStringLiteral("创建桌面快捷方式"));
    create->trigger();
    menu->close();
    QVERIFY(WindowChecks::takeNotice(m_frame.get()).startsWith(QStringLiteral("已在桌面创建快捷方式")));
    const QString path = m_home.filePath(QStringLiteral("Desktop/korvo-xianxia-101-korvo_xh1.desktop"));
    QFile entry(path);
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QString token = ShortcutToken::of(m_frame->settings());
    QVERIFY(entry.readAll().contains("\"korvo://play?account=korvo_xh1&host=xianxia&server=101&token=" + token.toLatin1()
                                     + "\""));
    if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
        QSKIP("desktop-file-validate is not installed (scripts/install-deps.sh installs it)");
    QCOMPARE(QProcess::execute(QStringLiteral("desktop-file-validate"), {path}), 0);

    // The home tab is no game: it has no such menu.
    QTRY_VERIFY(!m_frame->gameSessions()->tabMenu()->menu());
    const QPoint home = bar->tabRect(0).center();
    QContextMenuEvent homeClick(QContextMenuEvent::Mouse, home, bar->mapToGlobal(home));
    QCoreApplication::sendEvent(bar, &homeClick);
    QVERIFY(!m_frame->gameSessions()->tabMenu()->menu());
}

void TestGameSessions::turnedOffTheyDoNothing()
{
    Settings *settings = m_frame->settings();
    GameSessions *sessions = m_frame->gameSessions();
    Extras::setEnabled(settings, Extras::Shortcuts, false);
    Extras::setEnabled(settings, Extras::RestoreGames, false);
    sessions->launcher()->openAddress(QStringLiteral("korvo://play?account=korvo_xh1&host=xianxia&server=102"));
    QVERIFY(!sessions->opener()->isBusy());
    QCOMPARE(sessions->launcher()->pendingCount(), 0);

    QTabBar *bar = m_frame->tabWidget()->tabBar();
    const QPoint at = bar->tabRect(1).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
    QCoreApplication::sendEvent(bar, &click);
    // The game's menu keeps its other actions, but offers no shortcut.
    QMenu *menu = sessions->tabMenu()->menu();
    QVERIFY(menu);
    QVERIFY(!menu->findChild<QAction *>(QStringLiteral("gameTabMenu_ShortcutAction")));

    // Nothing of this session is kept, and nothing older either.
    settings->setValue(RememberedGames::key(), Settings().value(RememberedGames::key()));
    sessions->remember();
    QVERIFY(!settings->contains(RememberedGames::key()));
}

QTEST_MAIN(TestGameSessions)
#include "tst_gamesessions.moc"
