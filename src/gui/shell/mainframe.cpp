#include "shell/mainframe.h"
#include "ui_mainframe.h"

#include "dialogs/aboutform.h"
#include "app/apppaths.h"
#include "dialogs/auxwindows.h"
#include "web/backgroundtasks.h"
#include "shell/bossmute.h"
#include "app/desktopnotifier.h"
#include "dialogs/boxsettingform.h"
#include "web/external.h"
#include "shell/framedragger.h"
#include "shell/gamesessions.h"
#include "shell/globalbosskey.h"
#include "web/hometoolbar.h"
#include "shell/mainmenu.h"
#include "shell/loginbuttons.h"
#include "account/loginform.h"
#include "account/loginservice.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "net/session.h"
#include "app/settings.h"
#include "dialogs/skinphoto.h"
#include "dialogs/skinarchive.h"
#include "app/skinstyle.h"
#include "gametools/gametabtools.h"
#include "gametools/smallaccountform.h"
#include "account/sqlite.h"
#include "shell/statusbar.h"
#include "shell/storagenoticebox.h"
#include "web/pagekeys.h"
#include "dialogs/tabresources.h"
#include "web/tabwidget.h"
#include "web/threadgameidhostmap.h"
#include "net/threadcheckaccount.h"
#include "net/tokendelaythread.h"
#include "app/noticebox.h"
#include "app/toolwindow.h"
#include "shell/trayicon.h"
#include "shell/backgroundplay.h"
#include "shell/gametabmenu.h"
#include "shell/soundfocus.h"
#include "shell/userphotocontrol.h"
#include "shell/windowcloser.h"
#include "web/webengineprofile.h"
#include "shell/windowmemory.h"
#include "shell/windowplacer.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>
#include <QMouseEvent>
#include <QUrl>

namespace {
constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 730;
}

MainFrame::MainFrame(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::MainFrame)
{
    setupWindow();
    qApp->installEventFilter(new WindowPlacer(this));
    m_services.tasks = new BackgroundTasks(this);
    m_services.settings = new Settings(this);
    m_services.notifier = new DesktopNotifier(this);
    m_bossMute = new BossMute(this, m_services.settings);
    m_bossKey = new GlobalBossKey(this, m_services.settings, m_bossMute);
    m_services.profile = WebEngineProfile::profileFor(QStringLiteral("default"));
    // A skin install cut off by the end of the last run left its package behind.
    SkinArchive::removeLeftovers(SkinStyle::themesDirectory());
    applySkin(m_services.settings->value(QStringLiteral("common/skin")).toString());
    setMinimumSize(1024, 690);
    // Where and how large it was last time, else centred at the default size.
    (new WindowMemory(this, m_services.settings, QSize(kDefaultWidth, kDefaultHeight)))->restore();

    // The home views start loading first; what they do not need follows.
    m_services.session = new Session(this);
    createTabWidget();
    startAccountCheck();
    m_services.sqlite = new Sqlite(this);
    new StorageNoticeBox(m_services.sqlite, m_services.settings, this);
    createUserPhoto();
    createLoginForm();
    m_tabResources = new TabResources(m_tabWidget, m_services.settings);
    m_backgroundPlay = new BackgroundPlay(m_tabWidget, m_services.settings);
    m_soundFocus = new SoundFocus(m_tabWidget, m_bossMute);
    m_statusBar = new StatusBar(this);
    createTrayIcon();
    createMainMenu();
    setupTitleButtons();
    m_auxWindows = new AuxWindows(m_services, m_tabWidget, this);
    connect(m_auxWindows, &AuxWindows::signalApplySkin, this, &MainFrame::applySkin);
    if (HomeToolBar *homeBar = m_tabWidget->homeToolBar())
        connect(homeBar, &HomeToolBar::signalCleanCache, this, &MainFrame::handlerClearCache);
    m_auxWindows->startUpdateCheck();
    m_gameSessions = new GameSessions(m_services, m_tabWidget, m_loginForm->loginService(), m_statusBar, this);
    connect(m_gameSessions->tabMenu(), &GameTabMenu::signalMenuOpening, m_backgroundPlay, &BackgroundPlay::addMenuActions);
    connect(m_gameSessions->tabMenu(), &GameTabMenu::signalMenuOpening, m_soundFocus, &SoundFocus::addMenuActions);
    m_services.tasks->startTokenThread();
    m_services.tasks->startRulesWorker();
    getGameIdHostRelation();

    m_dragger = std::make_unique<FrameDragger>(this);
    layoutChildren();
    // Everything a login touches exists now; a remembered account may log in.
    m_loginForm->tryAutoLogin();
}

MainFrame::~MainFrame()
{
    m_gameSessions->remember();
    m_services.tasks->stopAll();
    delete ui;
}

void MainFrame::setupWindow()
{
    ui->setupUi(this);
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("MainFrame"));
    setObjectName(QStringLiteral("MainFrameObject"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    setWindowIcon(QIcon(AppPaths::faviconPath()));
    setWindowTitle(QStringLiteral("Korvo游戏盒"));
}

void MainFrame::startAccountCheck()
{
    ThreadCheckAccount *check = m_services.tasks->startAccountCheck();
    connect(this, &MainFrame::signalCheckAccount, check, &ThreadCheckAccount::onCheckAccount);
    connect(this, &MainFrame::signalStopCheckAccount, check, &ThreadCheckAccount::onStopCheck);
    connect(check, &ThreadCheckAccount::signalLoginError, this, &MainFrame::handlerCheckAccountErr);
    connect(check, &ThreadCheckAccount::signalLoginError, m_services.notifier, &DesktopNotifier::accountSignedOut);
}

void MainFrame::setAccountCheckPeriod(int ms)
{
    if (ThreadCheckAccount *check = m_services.tasks->accountCheck())
        check->setPeriod(ms);
}

void MainFrame::createUserPhoto()
{
    m_userPhoto = new UserPhotoControl(this);
    m_userPhoto->setPhoto(AppPaths::iconPath(QStringLiteral("noavatar_big.gif")));
    m_userPhoto->setGeometry(2, 6, 77, 73);
    connect(m_userPhoto, &UserPhotoControl::signalLoginout, this, &MainFrame::handlerUserLoginout);
    connect(m_userPhoto, &UserPhotoControl::signalSwitchAccount, this, &MainFrame::showLoginWindow);
}

void MainFrame::createLoginForm()
{
    auto *login = new LoginService(LoginService::MainAccount, m_services.sqlite, this);
    login->setSession(m_services.session);
    m_loginForm = new LoginForm(this, m_services.sqlite, login);
    m_loginForm->setWebProfile(m_services.profile);
    m_loginForm->setCookieStore(m_services.profile->cookieStore());
    m_loginForm->setCookieJar(new NetworkCookie(m_services.profile->cookieStore()));
    connect(m_loginForm, &LoginForm::signalUserBalanceInfo, this, &MainFrame::handlerUpdateLoinInfo);
    connect(login, &LoginService::signalLoggedIn, m_tabWidget, &TabWidget::handlerMainLogin);
    connect(login, &LoginService::signalLoggedIn, m_userPhoto, &UserPhotoControl::showAccount);
    connect(m_tabWidget, &TabWidget::signalLoginRequested, this, &MainFrame::showLoginWindow);
}

void MainFrame::createTabWidget()
{
    m_tabWidget = new TabWidget(m_services, std::make_unique<GameTabTools>(), this);
    m_tabWidget->setTabsClosable(true);
    m_tabWidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_tabWidget->createHomeTab();
    new PageKeys(this, m_tabWidget, m_services.settings);
    HomeToolBar *homeBar = m_tabWidget->homeToolBar();
    connect(homeBar, &HomeToolBar::signalBossKey, m_bossMute, &BossMute::hideWindow);
    connect(m_tabWidget, &TabWidget::signalBossKeyRequested, m_bossMute, &BossMute::hideWindow);
    connect(homeBar, &HomeToolBar::signalSmallAccount, this, &MainFrame::handlerSmallForm);
    connect(m_tabWidget, &TabWidget::signalSmallAccountManagerRequested, this, &MainFrame::handlerSmallForm);
    connect(External::instance(), &External::signalLoginOut, this, &MainFrame::handlerUserLoginout);
    connect(External::instance(), &External::signalSwitchUser, this, &MainFrame::showLoginWindow);
    connect(m_tabWidget, &QTabWidget::tabCloseRequested, m_tabWidget,
            static_cast<void (TabWidget::*)(int)>(&TabWidget::closeTab));
    for (QWidget *above : QWidgetList{ui->closeBtn, ui->maxBtn, ui->minBtn, ui->skinBtn, ui->vipBtn, ui->loginBtn,
                                      ui->settingBtn})
        above->raise();
}

void MainFrame::setupTitleButtons()
{
    for (QPushButton *button : {ui->closeBtn, ui->skinBtn, ui->maxBtn, ui->minBtn, ui->settingBtn})
        ui->layoutMainTitle->setAlignment(button, Qt::AlignTop);

    connect(ui->minBtn, &QPushButton::clicked, this, &MainFrame::windowMin);
    connect(ui->maxBtn, &QPushButton::clicked, this, &MainFrame::windowMax);
    connect(ui->closeBtn, &QPushButton::clicked, this, &MainFrame::windowClose);
    connect(ui->skinBtn, &QPushButton::clicked, this, &MainFrame::showSkinWindow);
    connect(ui->vipBtn, &QPushButton::clicked, this, &MainFrame::showVipWindow);
    connect(ui->settingBtn, &QPushButton::clicked, this, [this] { ui->settingBtn->showMenu(); });
    m_loginButtons = new LoginButtons(ui->loginBtn, ui->vipBtn, this);
    connect(m_loginButtons, &LoginButtons::signalLoginRequested, this, &MainFrame::showLoginWindow);
    connect(m_loginButtons, &LoginButtons::signalUserCenterRequested, this, &MainFrame::handlerOpenUserCenter);

    const std::pair<QPushButton *, const char *> icons[] = {
        {ui->skinBtn, "icon_skin.png"}, {ui->settingBtn, "icon_setting_down.png"}, {ui->minBtn, "icon_window_small.png"},
        {ui->maxBtn, "icon_window_big.png"}, {ui->closeBtn, "icon_window_close.png"}};
    for (const auto &[button, file] : icons)
        button->setIcon(QIcon(AppPaths::iconPath(QLatin1String(file))));
}

void MainFrame::createTrayIcon()
{
    m_tray = new TrayIcon(this);
    connect(m_tray, &TrayIcon::signalShowWindow, this, [this] { TrayIcon::showAgain(this); });
    connect(m_tray, &TrayIcon::signalToggleWindow, this, [this] { TrayIcon::toggle(this); });
    connect(m_tray, &TrayIcon::signalExit, this, &MainFrame::quitApplication);
    m_closer = new WindowCloser(this, m_services.settings, m_tray);
    connect(m_closer, &WindowCloser::signalQuit, this, &MainFrame::quitApplication);
}

void MainFrame::createMainMenu()
{
    m_mainMenu = new MainMenu(this);
    connect(m_mainMenu, &MainMenu::signalSettings, this, &MainFrame::showSettingWindow);
    connect(m_mainMenu, &MainMenu::signalResources, m_tabResources, &TabResources::showWindow);
    connect(m_mainMenu, &MainMenu::signalAllSign, this, [this] { m_auxWindows->showAllSign(); });
    connect(m_mainMenu, &MainMenu::signalAbout, this, &MainFrame::showAboutWindow);
    connect(m_mainMenu, &MainMenu::signalCheckUpdate, this, &MainFrame::handlerUpdate);
    ui->settingBtn->setMenu(m_mainMenu);
}

void MainFrame::windowMin()
{
    showMinimized();
}

void MainFrame::windowMax()
{
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void MainFrame::windowClose()
{
    m_closer->closeWindow();
}

void MainFrame::quitApplication()
{
    QCoreApplication::quit();
}

void MainFrame::showSettingWindow()
{
    const bool made = m_settingForm;
    BoxSettingForm *form = ToolWindow::kept(m_settingForm, m_services.settings, this);
    if (!made) {
        connect(form, &BoxSettingForm::signalClearCache, this, &MainFrame::handlerClearCache);
        m_bossKey->attach(form);
    }
    form->show();
    form->setFocus(Qt::OtherFocusReason);
}

// The auxiliary windows are made, kept and wired by AuxWindows.
void MainFrame::showSkinWindow() { m_auxWindows->showSkin(); }
void MainFrame::showVipWindow() { m_auxWindows->showVip(); }
void MainFrame::handlerClearCache() { m_auxWindows->showClearCache(); }
void MainFrame::handlerUpdate() { m_auxWindows->showUpdate(); }

void MainFrame::handlerSmallForm()
{
    m_smallForm = SmallAccountForm::openOver(m_tabWidget, this);
}

void MainFrame::showAboutWindow()
{
    ToolWindow::kept(m_aboutForm, this)->show();
}

void MainFrame::applySkin(const QString &skinName)
{
    m_services.skinDirectory = SkinStyle::directoryFor(skinName);
    qApp->setStyleSheet(SkinStyle::styleSheetFor(skinName));
    update();
}

void MainFrame::mousePressEvent(QMouseEvent *event)
{
    m_dragger->press(event);
    QWidget::mousePressEvent(event);
}

void MainFrame::mouseMoveEvent(QMouseEvent *event)
{
    // A maximized window stays where it is.
    if (isMaximized())
        return;
    m_dragger->move(event);
    QWidget::mouseMoveEvent(event);
}

void MainFrame::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragger->release(event);
    QWidget::mouseReleaseEvent(event);
}

void MainFrame::mouseDoubleClickEvent(QMouseEvent *event)
{
    windowMax();
    QWidget::mouseDoubleClickEvent(event);
}

void MainFrame::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void MainFrame::layoutChildren()
{
    if (m_tabWidget) {
        m_tabWidget->setGeometry(2, 10, width() - 4, height() - 38);
        m_tabWidget->updateTabBarWidth(m_tabWidget->count());
    }
    if (m_statusBar)
        m_statusBar->setGeometry(2, height() - 28, width() - 4, 26);
}

void MainFrame::paintEvent(QPaintEvent *event)
{
    SkinPhoto::paint(this, m_services.skinDirectory);
    QWidget::paintEvent(event);
}

void MainFrame::showLoginWindow()
{
    m_loginForm->show();
    m_loginForm->raise();
    m_loginForm->setFocus(Qt::OtherFocusReason);
}

void MainFrame::handlerUpdateLoinInfo(QMap<QString, QString> info)
{
    if (HomeToolBar *homeBar = m_tabWidget->homeToolBar())
        homeBar->showAccountFigures(info.value(QStringLiteral("points")), info.value(QStringLiteral("balance")));
    m_loginButtons->showLoggedIn(info.value(QStringLiteral("user_nick")), info.value(QStringLiteral("level")));
    m_tabWidget->loadHomeLeftPage(info.value(QStringLiteral("user_id")));

    const Identity who = m_services.session->identity();
    qDebug() << "platUserId:" << who.platUserId.toInt();
    qDebug() << "userid:" << who.userId;
    emit signalCheckAccount(who.platUserId.toInt(), who.userId.toInt(), who.userToken);
    m_services.tasks->tokenThread()->setIdentity(who.userId, who.userToken);
}

void MainFrame::handlerUserLoginout()
{
    qDebug() << "countTab:" << m_tabWidget->count();
    emit signalStopCheckAccount();
    m_services.tasks->tokenThread()->setIdentity(QString(), QString());

    // The old jar goes, the store is emptied and a new jar watches it.
    m_loginForm->resetCookieJar();

    m_tabWidget->closeTabsButHome();

    m_loginButtons->showLoggedOut();
    m_userPhoto->setPhoto(AppPaths::iconPath(QStringLiteral("noavatar_big.gif")));
    m_tabWidget->loadHomeLeftPage(QString());
}

void MainFrame::handlerCheckAccountErr(int code, QString msg)
{
    Q_UNUSED(code);
    QMessageBox *box = NoticeBox::showTitled(this, QStringLiteral("账号退出提醒"), msg, [this] { handlerUserLoginout(); });
    box->setObjectName(QStringLiteral("accountErrorBox"));
}

void MainFrame::handlerOpenUserCenter()
{
    m_tabWidget->createWebTab(QUrl(Portal::portalRoot() + QStringLiteral("/user.php")));
}

void MainFrame::getGameIdHostRelation()
{
    m_services.tasks->startGameIdMap(this, [this](const QByteArray &reply) { fillGameIdHostMap(reply); });
}

void MainFrame::fillGameIdHostMap(const QByteArray &reply)
{
    m_services.gameIdHostMap.insert(ThreadGameIdHostMap::parseMap(reply));
    m_tabWidget->setGameIdHosts(m_services.gameIdHostMap);
}
