#include "shell/trayicon.h"

#include "app/apppaths.h"
#include "shell/windowactivator.h"

#include <QMenu>
#include <QWidget>

TrayIcon::TrayIcon(QObject *parent)
    : QObject(parent)
    , m_icon(new QSystemTrayIcon(QIcon(AppPaths::iconPath(QStringLiteral("logo.png")))))
    // A menu has no widget parent here: it belongs to the tray, not to a window.
    , m_menu(new QMenu)
{
    m_icon->setObjectName(QStringLiteral("boxTrayIcon"));
    m_icon->setToolTip(QStringLiteral("Korvo游戏盒"));
    m_menu->setObjectName(QStringLiteral("trayMenu"));
    m_menu->addAction(QIcon(AppPaths::iconPath(QStringLiteral("icon-tray-show.png"))), QStringLiteral("显示窗口"),
                      this, &TrayIcon::signalShowWindow);
    m_menu->addAction(QIcon(AppPaths::iconPath(QStringLiteral("icon-tray-exit.png"))), QStringLiteral("退出"), this,
                      &TrayIcon::signalExit);
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::handlerActivated);
    m_icon->show();
}

TrayIcon::~TrayIcon()
{
    delete m_menu;
    delete m_icon;
}

bool TrayIcon::available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::showAgain(QWidget *window)
{
    WindowActivator::bringToFront(window);
}

void TrayIcon::toggle(QWidget *window)
{
    if (window->isVisible() && !window->isMinimized())
        window->close();
    else
        showAgain(window);
}

void TrayIcon::announceHidden()
{
    if (m_announced)
        return;
    m_announced = true;
    m_icon->showMessage(QStringLiteral("Korvo游戏盒"),
                        QStringLiteral("Korvo游戏盒仍在运行。单击任务通知栏里的图标可以重新打开窗口。"),
                        QSystemTrayIcon::Information);
}

void TrayIcon::handlerActivated(QSystemTrayIcon::ActivationReason reason)
{
    // A double click also reports its first click, which toggled already:
    // the double click itself only makes sure the window is back.
    if (reason == QSystemTrayIcon::Trigger)
        emit signalToggleWindow();
    else if (reason == QSystemTrayIcon::DoubleClick)
        emit signalShowWindow();
}
