#pragma once

#include <QPointer>

#include "web/pagekeymap.h"

#include <QObject>

class QTabWidget;
class QWebEngineView;
class QWidget;
class Settings;

// The page keys of PageKeyMap as shortcuts of the main window, carried out on
// the page in view: reload, find, zoom (remembered per host), full screen,
// closing a tab (never the home tab, the first) and moving between tabs.
class PageKeys : public QObject
{
    Q_OBJECT
public:
    PageKeys(QWidget *window, QTabWidget *tabs, Settings *settings);

    void trigger(PageKeyMap::Action action);
    // The page the keys act on: the focused view of the current tab, else its largest.
    QWebEngineView *currentView() const;

protected:
    // The engine claims some of the keys for itself (its own zoom, without the
    // memory per host): in this window they stay the window's.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void zoom(int direction);
    void toggleFullScreen();
    void switchTab(int offset);
    void closeTab();
    // A page of the current tab opens at the zoom stored for its host.
    void followCurrentTab();
    void applyStoredZoom(QWebEngineView *view);

    QWidget *m_window;
    QTabWidget *m_tabs;
    // The main window's, which may go first at the end.
    QPointer<Settings> m_settings;
    bool m_wasMaximized = false;
};
