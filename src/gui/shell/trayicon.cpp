#include "shell/trayicon.h"

#include "app/apppaths.h"
#include "shell/windowactivator.h"

#include <QMenu>

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

void TrayIcon::showAgain(QWidget *window)
{
    WindowActivator::bringToFront(window);
}

void TrayIcon::handlerActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick)
        emit signalShowWindow();
}
