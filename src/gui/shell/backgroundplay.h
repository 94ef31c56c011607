#pragma once

#include <QPointer>

#include "web/backgroundplayrule.h"

#include <QObject>

class QMenu;
class QStackedWidget;
class Settings;
class TabWidget;
class QWidget;

// Games that keep running behind other tabs. The engine stops drawing a
// hidden view and slows its timers, so the pages of such games stay shown
// under the current one instead of being hidden: the tab manager's pages are
// stacked, the current on top, each filling the whole area so nothing shows
// through, and keyboard focus that strays into a covered page goes back to the
// one in front. Pages that may sleep are hidden as before; games that sleep
// (the setting "后台游戏保持运行" off, or the tab's own menu) are frozen too,
// since the engine's switches would keep their timers going.
class BackgroundPlay : public QObject
{
    Q_OBJECT
public:
    BackgroundPlay(TabWidget *tabs, Settings *settings);

    // By the container's name and the server it plays.
    static BackgroundPlayRule::TabKind kindOf(const QWidget *tab);
    bool keepsRunning(QWidget *tab) const;
    BackgroundPlayRule::Choice choice(QWidget *tab) const;
    void setChoice(QWidget *tab, BackgroundPlayRule::Choice choice);

public slots:
    // Shows, hides, freezes and wakes every page as the rule says.
    void apply();
    // The game tab's menu: keep this one game running or let it sleep.
    void addMenuActions(QMenu *menu, QWidget *tab);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place(QWidget *page, bool current);
    void keepFocusInFront(QWidget *now);

    TabWidget *m_tabs;
    // The main window's, which may go first at the end.
    QPointer<Settings> m_settings;
    QStackedWidget *m_stack;
};
