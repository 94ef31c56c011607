#pragma once

#include "web/gametab.h"

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>


class Settings;
class TabWidget;

// The menu of a game tab (a right click on its tab): "创建桌面快捷方式"
// writes a desktop entry that starts the client with that game as the
// account that plays it.
class GameTabMenu : public QObject
{
    Q_OBJECT
public:
    GameTabMenu(TabWidget *tabs, Settings *settings, QObject *parent = nullptr);

    QMenu *menu() const { return m_menu; }
    // The path written; empty when it could not be, which the user is told.
    QString createShortcut(const GameTab &game);

public slots:
    void showMenu(const QPoint &position);

private:
    TabWidget *m_tabs;
    Settings *m_settings;
    QPointer<QMenu> m_menu;
};
