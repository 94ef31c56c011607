#include "mainframe.h"
#include "ui_mainframe.h"

#include "aboutform.h"
#include "apppaths.h"
#include "boxsettingform.h"
#include "closesettingform.h"
#include "portal.h"
#include "settings.h"
#include "statusbar.h"

#include <QApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
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
}

MainFrame::MainFrame(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::MainFrame)
{
    setupWindow();
    m_settings = new Settings(this);
    applySkin(m_settings->value(QStringLiteral("common/skin")).toString());

    setMinimumSize(1024, 690);
    centerOnScreen();

    m_statusBar = new StatusBar(this);
    createTrayIcon();
    createMainMenu();
    setupTitleButtons();

    m_resizeBorder = 4;
    m_resizeEdges = EdgeNone;
    setMouseTracking(true);
    layoutChildren();
}

MainFrame::~MainFrame()
{
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
                          [this] { showNormal(); activateWindow(); raise(); });
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
    if (reason != QSystemTrayIcon::DoubleClick)
        return;
    if (isMinimized()) {
        showNormal();
        return;
    }
    activateWindow();
    show();
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
