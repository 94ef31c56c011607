#pragma once

#include <QObject>
#include <QPoint>

class GameTabMenu;
class QMenu;
class QMouseEvent;
class QTabBar;
class TabWidget;

// How game tabs get into the split view and out again: the tab's menu
// ("分屏显示" on a game, "退出分屏" on the split) and a drag of a game's tab
// from the strip down onto the page.
class SplitActions : public QObject
{
    Q_OBJECT
public:
    SplitActions(TabWidget *tabs, GameTabMenu *menu, QObject *parent = nullptr);

public slots:
    void addMenuActions(QMenu *menu, QWidget *tab);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool mayJoin(QWidget *tab) const;
    void press(QMouseEvent *event);
    void move(QMouseEvent *event);
    void release(QMouseEvent *event);
    // Below the strip, over the pages, by more than a slip of the hand.
    bool isOverPage(const QPoint &inBar) const;

    TabWidget *m_tabs;
    QTabBar *m_bar;
    int m_dragged = -1;
    bool m_armed = false;
};
