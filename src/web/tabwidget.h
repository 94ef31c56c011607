#pragma once

#include <QTabWidget>
#include <QWebEngineHttpRequest>

class HomeToolBar;
class LoginForm;
class QWebChannel;
class Session;
class WebEnginePage;
class WebEngineProfile;
class WebView;

// The main window's central widget: the portal's home tab at index 0 and one
// tab per opened page. It builds every tab and keeps the account context
// (which profile and which name) that new tabs take over.
class TabWidget : public QTabWidget
{
    Q_OBJECT
public:
    explicit TabWidget(QWidget *parent = nullptr);

    void setWebProfile(WebEngineProfile *profile);
    void setLoginForm(LoginForm *form);
    // Who is logged in; by default the login dialog's session.
    void setSession(Session *session);
    Session *session() const;
    void setCurrentUserName(const QString &name);
    HomeToolBar *homeToolBar() const { return m_homeToolBar; }
    QWebChannel *webChannel() const { return m_webChannel; }

    // Logged in: "user_name", "user_id" and "user_token" are all set in the
    // session's cookie jar. Otherwise the login dialog opens.
    bool checkLogin();
    void updateTabBarWidth(int count);
    // Closes every tab but the home tab, so that no page keeps an old identity.
    void closeTabsButHome();
    // The home tab's left column, for that user (a null id: nobody logged in).
    void loadHomeLeftPage(const QString &userId);

    // Tab-title rules (TabTitle): cut at the first "|", "-", "_" or ",";
    // shorten texts that would be too wide for a tab.
    static QString cutTitle(const QString &title);
    static QString elideTitle(const QString &text);

    // Prefix of tab titles: the name of the account that plays.
    QString currentUserName;

public slots:
    void closeTab();
    void closeTab(int tabindex);
    void createHomeTab();
    WebView *createWebTab(const QUrl &url);
    WebView *createWebTab(const QWebEngineHttpRequest &request);
    void handlerReloadHomePage();
    void handlerReloadWebGame();
    void handlerReloadMobileGame();
    void handlerReloadH5Game();

private:
    WebEngineProfile *chosenProfile() const;
    WebView *createOwnedView(const QWebEngineHttpRequest &request, WebEnginePage *page);
    QWidget *createHomePanel(const QString &viewName, const QString &action, WebEnginePage *page);
    void connectHomeToolBar();
    void loadHomeSection(const QString &action);
    void watchTitle(WebView *view, QWidget *container, bool cut);
    void showTitle(QWidget *container, const QString &title, bool cut);

    WebEngineProfile *m_defaultProfile = nullptr;
    LoginForm *m_loginForm = nullptr;
    Session *m_session = nullptr;
    HomeToolBar *m_homeToolBar = nullptr;
    QWebChannel *m_webChannel = nullptr;
    QString m_profileFlag = QStringLiteral("default");
};
