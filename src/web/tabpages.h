#pragma once

#include <QString>

class HomeToolBar;
class QWebEngineHttpRequest;
class QWidget;
class TabWidget;
class WebEngineProfile;
class WebView;

// Builds the tabs of the tab manager: the home tab and page tabs, each a
// container with its toolbar over its view. The tab manager decides
// whether a tab may open; the tab takes over the account context it holds.
class TabPages
{
public:
    explicit TabPages(TabWidget *tabs);

    void setDefaultProfile(WebEngineProfile *profile);
    // "default": the main account's profile; otherwise the small account's own.
    WebEngineProfile *chosenProfile() const;

    HomeToolBar *addHomeTab();
    WebView *addWebTab(const QWebEngineHttpRequest &request);

private:
    WebView *createOwnedView(const QWebEngineHttpRequest &request);
    QWidget *createHomePanel(const QString &viewName, const QString &action);
    // Adds the tab and makes it current; page titles then name it, whole or cut.
    void showTab(QWidget *container, WebView *view, const QString &text, const QString &toolTip, bool cutTitles);
    void watchTitle(WebView *view, QWidget *container, bool cut);
    void showTitle(QWidget *container, const QString &title, bool cut);

    TabWidget *m_tabs;
    WebEngineProfile *m_defaultProfile = nullptr;
};
