#include "shell/gametabmenu.h"

#include "app/apppaths.h"
#include "web/desktopshortcut.h"
#include "web/shortcuttoken.h"
#include "shell/gameopener.h"
#include "app/noticebox.h"
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
    const int index = m_tabs->tabBar()->tabAt(position);
    QWidget *tab = index > 0 ? m_tabs->widget(index) : nullptr;
    if (!tab)
        return;
    delete m_menu;
    m_menu = new QMenu(m_tabs);
    m_menu->setObjectName(QStringLiteral("gameTabMenu"));
    m_menu->setAttribute(Qt::WA_DeleteOnClose);
    const GameTab game = GameOpener::gameOf(m_tabs, tab);
    if (game.isValid() && Extras::enabled(m_settings, Extras::Shortcuts))
        addShortcutAction(game);
    emit signalMenuOpening(m_menu, tab);
    if (m_menu->isEmpty()) {
        delete m_menu;
        return;
    }
    m_menu->popup(m_tabs->tabBar()->mapToGlobal(position));
}

void GameTabMenu::addShortcutAction(const GameTab &game)
{
    QAction *shortcut = m_menu->addAction(QIcon(AppPaths::iconPath(QStringLiteral("icon-playgame.png"))),
                                          QStringLiteral("创建桌面快捷方式"));
    shortcut->setObjectName(QStringLiteral("gameTabMenu_ShortcutAction"));
    connect(shortcut, &QAction::triggered, this, [this, game] { createShortcut(game); });
}

QAction *GameTabMenu::addToggle(QMenu *menu, const QString &text, const QString &name, bool checked,
                                QObject *receiver, const std::function<void(bool)> &toggled)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setChecked(checked);
    connect(action, &QAction::toggled, receiver, toggled);
    return action;
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
