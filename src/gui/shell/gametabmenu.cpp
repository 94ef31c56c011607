#include "shell/gametabmenu.h"

#include "app/apppaths.h"
#include "web/desktopshortcut.h"
#include "web/shortcuttoken.h"
#include "web/gameopener.h"
#include "gametools/noticebox.h"
#include "app/extras.h"
#include "web/tabwidget.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QTabBar>

GameTabMenu::GameTabMenu(TabWidget *tabs, Settings *settings, QObject *parent)
    : QObject(parent)
    , m_tabs(tabs)
    , m_settings(settings)
{
    tabs->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabs->tabBar(), &QWidget::customContextMenuRequested, this, &GameTabMenu::showMenu);
}

void GameTabMenu::showMenu(const QPoint &position)
{
    const GameTab game = GameOpener::tabAt(m_tabs, m_tabs->tabBar()->tabAt(position));
    if (!game.isValid() || !Extras::enabled(m_settings, Extras::Shortcuts))
        return;
    delete m_menu;
    m_menu = new QMenu(m_tabs);
    m_menu->setObjectName(QStringLiteral("gameTabMenu"));
    m_menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *shortcut = m_menu->addAction(QIcon(AppPaths::iconPath(QStringLiteral("icon-playgame.png"))),
                                          QStringLiteral("创建桌面快捷方式"));
    shortcut->setObjectName(QStringLiteral("gameTabMenu_ShortcutAction"));
    connect(shortcut, &QAction::triggered, this, [this, game] { createShortcut(game); });
    m_menu->popup(m_tabs->tabBar()->mapToGlobal(position));
}

QString GameTabMenu::createShortcut(const GameTab &game)
{
    QString error;
    const QString path = DesktopShortcut::write(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
                                                game, QCoreApplication::applicationFilePath(), &error,
                                                ShortcutToken::of(m_settings));
    NoticeBox::show(m_tabs, path.isEmpty() ? error
                                           : QStringLiteral("已在桌面创建快捷方式：") + QFileInfo(path).fileName());
    return path;
}
