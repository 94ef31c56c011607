#include "mainframe.h"
#include "ui_mainframe.h"

#include "aboutform.h"
#include "apppaths.h"
#include "boxsettingform.h"
#include "closesettingform.h"
#include "hometoolbar.h"
#include "loginform.h"
#include "networkcookie.h"
#include "portal.h"
#include "settings.h"
#include "sqlite.h"
#include "statusbar.h"
#include "tabwidget.h"
#include "threadcheckaccount.h"
#include "tokendelaythread.h"
#include "userphotocontrol.h"
#include "webengineprofile.h"
#include "windowplacer.h"

#include <QApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QThread>
#include <QWebEngineCookieStore>
#include <QWebEngineView>
#include <QPainter>
#include <QScreen>
#include <QUrl>

namespace {
constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 730;

QIcon appIcon(const QString &fileName)
{
    return QIcon(AppPaths::iconPath(fileName));
}

// Back from the tray in the state the window had: maximized stays maximized,
// and a minimized window returns to the state it had before minimizing.
void showAgain(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
}

MainFrame::MainFrame(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::MainFrame)
{
    setupWindow();
    qApp->installEventFilter(new WindowPlacer(this));
    startAccountCheck();
    m_settings = new Settings(this);
    m_webProfile = WebEngineProfile::profileFor(QStringLiteral("default"));
    m_sqlite = new Sqlite(this);
    applySkin(m_settings->value(QStringLiteral("common/skin")).toString());

    setMinimumSize(1024, 690);
    centerOnScreen();

    createUserPhoto();
    createLoginForm();
    createTabWidget();
    m_statusBar = new StatusBar(this);
    createTrayIcon();
    createMainMenu();
    setupTitleButtons();
    startTokenThread();

    m_resizeBorder = 4;
    m_resizeEdges = EdgeNone;
    setMouseTracking(true);
    layoutChildren();
    // Everything a login touches exists now; a remembered account may log in.
    m_loginForm->tryAutoLogin();
}

MainFrame::~MainFrame()
{
    stopThreads();
    delete m_trayMenu;
    delete m_trayIcon;
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
    m_checkAccountThread = new QThread(this);
    m_checkAccount = new ThreadCheckAccount;
    m_checkAccount->moveToThread(m_checkAccountThread);
    connect(m_checkAccountThread, &QThread::finished, m_checkAccount, &QObject::deleteLater);
    connect(this, &MainFrame::signalCheckAccount, m_checkAccount, &ThreadCheckAccount::onCheckAccount);
    connect(this, &MainFrame::signalStopCheckAccount, m_checkAccount, &ThreadCheckAccount::onStopCheck);
    connect(m_checkAccount, &ThreadCheckAccount::signalLoginError, this, &MainFrame::handlerCheckAccountErr);
    m_checkAccountThread->start(QThread::InheritPriority);
}

void MainFrame::setAccountCheckPeriod(int ms)
{
    m_checkAccount->setPeriod(ms);
}

void MainFrame::startTokenThread()
{
    m_tokenThread = new TokenDelayThread(this);
    m_tokenThread->start(QThread::InheritPriority);
}

void MainFrame::stopThreads()
{
    // Both threads must be finished before their QThread objects go with the window.
    for (QThread *thread : {static_cast<QThread *>(m_tokenThread), m_checkAccountThread}) {
        if (!thread)
            continue;
        thread->quit();
        thread->wait();
    }
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
    m_loginForm = new LoginForm(this);
    m_loginForm->setWebProfile(m_webProfile);
    m_loginForm->setCookieStore(m_webProfile->cookieStore());
    m_loginForm->setCookieJar(new NetworkCookie(m_webProfile->cookieStore()));
    m_loginForm->setUserPhoto(m_userPhoto);
    connect(m_loginForm, &LoginForm::signalUserBalanceInfo, this, &MainFrame::handlerUpdateLoinInfo);
}

void MainFrame::createTabWidget()
{
    m_tabWidget = new TabWidget(this);
    m_tabWidget->setWebProfile(m_webProfile);
    m_tabWidget->setLoginForm(m_loginForm);
    m_tabWidget->setTabsClosable(true);
    m_tabWidget->setObjectName(QStringLiteral("mainTabWidget"));
    m_tabWidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_tabWidget->createHomeTab();
    HomeToolBar *homeBar = m_tabWidget->homeToolBar();
    connect(homeBar, &HomeToolBar::signalBossKey, this, &QWidget::close);
    connect(m_tabWidget, &QTabWidget::tabCloseRequested, m_tabWidget,
            static_cast<void (TabWidget::*)(int)>(&TabWidget::closeTab));
    for (QWidget *above : {static_cast<QWidget *>(ui->closeBtn), static_cast<QWidget *>(ui->maxBtn),
                           static_cast<QWidget *>(ui->minBtn), static_cast<QWidget *>(ui->skinBtn),
                           static_cast<QWidget *>(ui->vipBtn), static_cast<QWidget *>(ui->loginBtn),
                           static_cast<QWidget *>(ui->settingBtn), static_cast<QWidget *>(m_userPhoto)})
        above->raise();
}

void MainFrame::centerOnScreen()
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    setGeometry(available.x() + (available.width() - kDefaultWidth) / 2,
                available.y() + (available.height() - kDefaultHeight) / 2,
                kDefaultWidth, kDefaultHeight);
}

void MainFrame::setupTitleButtons()
{
    for (QPushButton *button : {ui->closeBtn, ui->skinBtn, ui->maxBtn, ui->minBtn, ui->settingBtn})
        ui->layoutMainTitle->setAlignment(button, Qt::AlignTop);

    connect(ui->minBtn, &QPushButton::clicked, this, &MainFrame::windowMin);
    connect(ui->maxBtn, &QPushButton::clicked, this, &MainFrame::windowMax);
    connect(ui->closeBtn, &QPushButton::clicked, this, &MainFrame::windowClose);
    connect(ui->skinBtn, &QPushButton::clicked, this, &MainFrame::showSkinWindow);
    connect(ui->settingBtn, &QPushButton::clicked, this, [this] { ui->settingBtn->showMenu(); });
    setLoginButtonAction(false);

    ui->loginBtn->setIcon(appIcon(QStringLiteral("icon_downarrow_white.png")));
    ui->skinBtn->setIcon(appIcon(QStringLiteral("icon_skin.png")));
    ui->settingBtn->setIcon(appIcon(QStringLiteral("icon_setting_down.png")));
    ui->minBtn->setIcon(appIcon(QStringLiteral("icon_window_small.png")));
    ui->maxBtn->setIcon(appIcon(QStringLiteral("icon_window_big.png")));
    ui->closeBtn->setIcon(appIcon(QStringLiteral("icon_window_close.png")));
    ui->loginBtn->setCursor(Qt::PointingHandCursor);
    ui->vipBtn->setCursor(Qt::PointingHandCursor);
}

void MainFrame::createTrayIcon()
{
    m_trayIcon = new QSystemTrayIcon(appIcon(QStringLiteral("logo.png")));
    m_trayIcon->setObjectName(QStringLiteral("boxTrayIcon"));
    m_trayIcon->setToolTip(QStringLiteral("Korvo游戏盒"));
    m_trayMenu = new QMenu;
    m_trayMenu->setObjectName(QStringLiteral("trayMenu"));
    m_trayMenu->addAction(appIcon(QStringLiteral("icon-tray-show.png")), QStringLiteral("显示窗口"), this,
                          [this] { showAgain(this); });
    m_trayMenu->addAction(appIcon(QStringLiteral("icon-tray-exit.png")), QStringLiteral("退出"), this,
                          &MainFrame::quitApplication);
    m_trayIcon->setContextMenu(m_trayMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &MainFrame::handlerTrayActivated);
    m_trayIcon->show();
}

void MainFrame::createMainMenu()
{
    m_mainMenu = new QMenu(this);
    m_mainMenu->setObjectName(QStringLiteral("mainFrameBoxMenu"));
    m_mainMenu->addAction(appIcon(QStringLiteral("icon-menu-setting.png")), QStringLiteral("设置"), this,
                          &MainFrame::showSettingWindow);
    m_mainMenu->addAction(appIcon(QStringLiteral("icon-menu-site.png")), QStringLiteral("访问官网"), this,
                          [] { QDesktopServices::openUrl(QUrl(Portal::portalRoot())); });
    m_mainMenu->addAction(appIcon(QStringLiteral("icon-menu-update.png")), QStringLiteral("检查更新"));
    m_mainMenu->addAction(appIcon(QStringLiteral("icon-menu-about.png")), QStringLiteral("关于"), this,
                          &MainFrame::showAboutWindow);
    ui->settingBtn->setMenu(m_mainMenu);
}

void MainFrame::handlerTrayActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick)
        showAgain(this);
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
    const QVariant exitType = m_settings->value(QStringLiteral("common/exittype"));
    if (exitType.isNull()) {
        if (!m_closeSettingForm)
            m_closeSettingForm = new CloseSettingForm(this);
        m_closeSettingForm->show();
        return;
    }
    if (exitType.toString() == QLatin1String("exit")) {
        quitApplication();
        return;
    }
    // The application does not quit on its last window, so this only hides to the tray.
    close();
}

void MainFrame::quitApplication()
{
    QCoreApplication::quit();
}

void MainFrame::showSettingWindow()
{
    if (!m_settingForm)
        m_settingForm = new BoxSettingForm(this);
    m_settingForm->show();
    m_settingForm->setFocus(Qt::OtherFocusReason);
}

void MainFrame::showSkinWindow()
{
    qDebug() << "showSkinWindow";
}

void MainFrame::showAboutWindow()
{
    if (!m_aboutForm)
        m_aboutForm = new AboutForm(this);
    m_aboutForm->show();
}

void MainFrame::applySkin(const QString &skinName)
{
    const QString common = AppPaths::readStyleSheet(AppPaths::stylePath(QStringLiteral("common.qss")));
    QString skin;
    if (skinName.isEmpty() || skinName == QLatin1String("default")) {
        m_skinDir.clear();
        skin = AppPaths::readStyleSheet(AppPaths::stylePath(QStringLiteral("style.qss")));
    } else {
        m_skinDir = AppPaths::filePath(QStringLiteral("themes/") + skinName + QLatin1Char('/'));
        skin = AppPaths::readStyleSheet(m_skinDir + QStringLiteral("style.qss"), false);
    }
    qApp->setStyleSheet(common + skin);
    update();
}

int MainFrame::edgesAt(const QRect &frame, const QPoint &pos, int border)
{
    int edges = EdgeNone;
    if (qAbs(pos.y() - frame.top()) < border)
        edges |= EdgeTop;
    else if (qAbs(pos.y() - frame.bottom()) < border)
        edges |= EdgeBottom;
    if (qAbs(pos.x() - frame.left()) < border)
        edges |= EdgeLeft;
    else if (qAbs(pos.x() - frame.right()) < border)
        edges |= EdgeRight;
    return edges;
}

QRect MainFrame::resizedGeometry(const QRect &frame, int edges, const QPoint &cursor,
                                 const QSize &minimum, const QSize &maximum)
{
    int top = frame.top(), bottom = frame.bottom(), left = frame.left(), right = frame.right();
    // At a size limit an edge only follows the cursor in the direction that leaves the limit.
    auto follow = [](int &edge, int target, int size, int min, int max, bool growsWhenLess) {
        const bool grows = growsWhenLess ? target < edge : target > edge;
        if ((size <= min && !grows) || (size >= max && grows))
            return;
        edge = target;
    };
    if (edges & EdgeTop)
        follow(top, cursor.y(), frame.height(), minimum.height(), maximum.height(), true);
    else if (edges & EdgeBottom)
        follow(bottom, cursor.y(), frame.height(), minimum.height(), maximum.height(), false);
    if (edges & EdgeLeft)
        follow(left, cursor.x(), frame.width(), minimum.width(), maximum.width(), true);
    else if (edges & EdgeRight)
        follow(right, cursor.x(), frame.width(), minimum.width(), maximum.width(), false);
    QRect result(QPoint(left, top), QPoint(right, bottom));
    // A large jump of the cursor could still cross the limit; keep the far edge fixed.
    if (result.width() < minimum.width()) {
        if (edges & EdgeLeft) result.setLeft(result.right() - minimum.width() + 1);
        else result.setWidth(minimum.width());
    }
    if (result.height() < minimum.height()) {
        if (edges & EdgeTop) result.setTop(result.bottom() - minimum.height() + 1);
        else result.setHeight(minimum.height());
    }
    return result;
}

void MainFrame::updateCursorShape(const QPoint &globalPos)
{
    m_resizeEdges = edgesAt(frameGeometry(), globalPos, m_resizeBorder);
    switch (m_resizeEdges) {
    case EdgeTop | EdgeLeft:
    case EdgeBottom | EdgeRight:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case EdgeTop | EdgeRight:
    case EdgeBottom | EdgeLeft:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case EdgeTop:
    case EdgeBottom:
        setCursor(Qt::SizeVerCursor);
        break;
    case EdgeLeft:
    case EdgeRight:
        setCursor(Qt::SizeHorCursor);
        break;
    default:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

void MainFrame::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = event->globalPos() - frameGeometry().topLeft();
    QWidget::mousePressEvent(event);
}

void MainFrame::mouseMoveEvent(QMouseEvent *event)
{
    if (isMaximized())
        return;
    if (event->buttons() & Qt::LeftButton) {
        if (m_resizeEdges == EdgeNone)
            move(event->globalPos() - m_dragOffset);
        else
            setGeometry(resizedGeometry(frameGeometry(), m_resizeEdges, event->globalPos(),
                                        minimumSize(), maximumSize()));
    } else {
        updateCursorShape(event->globalPos());
    }
    QWidget::mouseMoveEvent(event);
}

void MainFrame::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_resizeEdges != EdgeNone)
        updateCursorShape(event->globalPos());
    QWidget::mouseReleaseEvent(event);
}

void MainFrame::mouseDoubleClickEvent(QMouseEvent *event)
{
    windowMax();
    QWidget::mouseDoubleClickEvent(event);
}

void MainFrame::keyReleaseEvent(QKeyEvent *event)
{
    // The boss key is always Alt+Q; "bosskey/keys" is only what the settings show.
    if (m_settings->value(QStringLiteral("bosskey/isuse")).toString() == QLatin1String("yes")
        && event->key() == Qt::Key_Q && event->modifiers() == Qt::AltModifier)
        close();
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
    if (!m_skinDir.isEmpty()) {
        const QPixmap picture(m_skinDir + QStringLiteral("photo.jpg"));
        if (!picture.isNull()) {
            QPainter painter(this);
            painter.drawPixmap(width() - picture.width(), 0, picture);
        }
    }
    QWidget::paintEvent(event);
}

void MainFrame::showLoginWindow()
{
    m_loginForm->show();
    m_loginForm->setFocus(Qt::OtherFocusReason);
}

// Exactly one click action at a time: the login dialog, or the user centre.
void MainFrame::setLoginButtonAction(bool loggedIn)
{
    disconnect(m_loginBtnConnection);
    if (loggedIn)
        m_loginBtnConnection = connect(ui->loginBtn, &QPushButton::clicked, this, &MainFrame::handlerOpenUserCenter);
    else
        m_loginBtnConnection = connect(ui->loginBtn, &QPushButton::clicked, this, &MainFrame::showLoginWindow);
}

void MainFrame::loadLeftPage(const QString &userId)
{
    auto *left = m_tabWidget->findChild<QWebEngineView *>(QStringLiteral("homeLeftView"));
    if (!left)
        return;
    QString address = Portal::webPage(QStringLiteral("left")) + QStringLiteral("&v2");
    if (!userId.isNull())
        address += QStringLiteral("&user_id=") + userId;
    left->page()->load(QUrl(address));
}

void MainFrame::handlerUpdateLoinInfo(QMap<QString, QString> info)
{
    if (HomeToolBar *homeBar = m_tabWidget->homeToolBar()) {
        if (auto *points = homeBar->findChild<QLabel *>(QStringLiteral("homeBar_jfTextLabel")))
            points->setText(info.value(QStringLiteral("points")));
        if (auto *balance = homeBar->findChild<QLabel *>(QStringLiteral("homeBar_ptbTextLabel")))
            balance->setText(info.value(QStringLiteral("balance")));
    }
    ui->vipBtn->setText(QStringLiteral("V") + info.value(QStringLiteral("level")));
    ui->loginBtn->setText(info.value(QStringLiteral("user_nick")));
    ui->loginBtn->setToolTip(info.value(QStringLiteral("user_nick")));
    ui->loginBtn->setIcon(QIcon());
    loadLeftPage(info.value(QStringLiteral("user_id")));
    setLoginButtonAction(true);

    NetworkCookie *jar = m_loginForm->cookieJar();
    const QString platUserId = QString::fromUtf8(jar->getCookie(QStringLiteral("plat_userid")).value());
    const QString userId = QString::fromUtf8(jar->getCookie(QStringLiteral("user_id")).value());
    const QString token = QString::fromUtf8(jar->getCookie(QStringLiteral("user_token")).value());
    qDebug() << "platUserId:" << platUserId.toInt();
    qDebug() << "userid:" << userId;
    emit signalCheckAccount(platUserId.toInt(), userId.toInt(), token);
    m_tokenThread->setIdentity(userId, token);
}

void MainFrame::handlerUserLoginout()
{
    qDebug() << "countTab:" << m_tabWidget->count();
    emit signalStopCheckAccount();
    m_tokenThread->setIdentity(QString(), QString());

    // The old jar goes, the store is emptied and a new jar watches it.
    m_loginForm->resetCookieJar();

    for (int open = m_tabWidget->count(); open > 1; --open)
        m_tabWidget->closeTab();

    ui->loginBtn->setText(QStringLiteral("请登录"));
    ui->loginBtn->setToolTip(QStringLiteral("请登录"));
    ui->loginBtn->setIcon(appIcon(QStringLiteral("icon_downarrow_white.png")));
    m_userPhoto->setPhoto(AppPaths::iconPath(QStringLiteral("noavatar_big.gif")));
    loadLeftPage(QString());
    setLoginButtonAction(false);
}

void MainFrame::handlerCheckAccountErr(int code, QString msg)
{
    Q_UNUSED(code);
    auto *box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("账号退出提醒"), msg, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("accountErrorBox"));
    box->button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QMessageBox::finished, this, [this, box] {
        handlerUserLoginout();
        box->deleteLater();
    });
    box->open();
}

void MainFrame::handlerOpenUserCenter()
{
    m_tabWidget->createWebTab(QUrl(Portal::portalRoot() + QStringLiteral("/user.php")));
}
