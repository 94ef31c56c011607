#pragma once

#include "web/gametab.h"

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>


class Settings;
class TabWidget;

// The menu of a game tab (a right click on its tab): "创建桌面快捷方式"
// writes a desktop entry that starts the client with that game as the
// account that plays it; whatever else acts on one tab adds its own actions
// while the menu is being filled.
class GameTabMenu : public QObject
{
    Q_OBJECT
public:
    GameTabMenu(TabWidget *tabs, Settings *settings, QObject *parent = nullptr);

    QMenu *menu() const { return m_menu; }
    // A checkable action for one tab's choice, told each change.
    static QAction *addToggle(QMenu *menu, const QString &text, const QString &name, bool checked,
                              QObject *receiver, const std::function<void(bool)> &toggled);
    // The path written; empty when it could not be, which the user is told.
    QString createShortcut(const GameTab &game);

signals:
    // Add actions for the tab now; a menu left empty is not shown.
    void signalMenuOpening(QMenu *menu, QWidget *tab);

public slots:
    void showMenu(const QPoint &position);

private:
    void addShortcutAction(const GameTab &game);

    TabWidget *m_tabs;
    Settings *m_settings;
    QPointer<QMenu> m_menu;
};
