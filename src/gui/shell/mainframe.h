#pragma once

#include <QHash>
#include <QMap>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace Ui { class MainFrame; }

class AboutForm;
class AuxWindows;
class BackgroundTasks;
class BossMute;
class BoxSettingForm;
class FrameDragger;
class GameSessions;
class CloseSettingForm;
class LoginButtons;
class LoginForm;
class MainMenu;
class QMenu;
class Session;
class Settings;
class SmallAccountForm;
class Sqlite;
class StatusBar;
class TabResources;
class TabWidget;
class TrayIcon;
class UserPhotoControl;
class WebEngineProfile;

// The client's only top-level window: its own title bar, the tab container,
// the tray icon and menus, the boss key, frameless move/resize and skins.
// It builds the shared objects in order and hands them on.
class MainFrame : public QWidget
{
    Q_OBJECT
public:
    explicit MainFrame(QWidget *parent = nullptr);
    ~MainFrame() override;

    // Shared objects that other windows reach through the main window.
    Settings *settings() const { return m_settings; }
    Sqlite *sqlite() const { return m_sqlite; }
    LoginForm *loginForm() const { return m_loginForm; }
    // Who is logged in: the current cookie jar of the main profile.
    Session *session() const { return m_session; }
    BackgroundTasks *backgroundTasks() const { return m_tasks; }
    TabWidget *tabWidget() const { return m_tabWidget; }
    WebEngineProfile *webProfile() const { return m_webProfile; }
    UserPhotoControl *userPhoto() const { return m_userPhoto; }
    AuxWindows *auxWindows() const { return m_auxWindows; }
    // Hides the window for the boss key and the eye buttons.
    BossMute *bossMute() const { return m_bossMute; }
    TabResources *tabResources() const { return m_tabResources; }
    GameSessions *gameSessions() const { return m_gameSessions; }
    // Game id to game host, filled once the portal's map arrives.
    const QHash<QString, QString> *gameIdHostMap() const { return &m_gameIdHostMap; }
    QString skinDirectory() const { return m_skinDir; }
    // Test hook: how often the account check asks the portal (applies to the next login).
    void setAccountCheckPeriod(int ms);
    void applySkin(const QString &skinName);

signals:
    void signalCheckAccount(int platUserId, int userId, QString token);
    // Logout: the account check of the old login must not outlive it.
    void signalStopCheckAccount();

public slots:
    void windowMin();
    void windowMax();
    void windowClose();
    void showSettingWindow();
    void showSkinWindow();
    void showVipWindow();
    void showAboutWindow();
    void showLoginWindow();
    void handlerClearCache();
    void handlerUpdate();
    void handlerUpdateLoinInfo(QMap<QString, QString> info);
    void handlerUserLoginout();
    void handlerOpenUserCenter();
    void handlerCheckAccountErr(int code, QString msg);
    void getGameIdHostRelation();
    void handlerSmallForm();
    // Ends the process: the tray's exit, the close button or dialog set to
    // exit and the termination signals all come here. The event loop ends and
    // whoever runs it then deletes this window, which remembers the open games.
    // A seam so that tests can observe the request.
    virtual void quitApplication();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    friend class CloseSettingForm;

    void setupWindow();
    void startAccountCheck();
    void createUserPhoto();
    void createLoginForm();
    void createTabWidget();
    void fillGameIdHostMap(const QByteArray &reply);
    void setupTitleButtons();
    void createTrayIcon();
    void createMainMenu();
    void layoutChildren();

    Ui::MainFrame *ui;
    std::unique_ptr<FrameDragger> m_dragger;
    UserPhotoControl *m_userPhoto = nullptr;
    StatusBar *m_statusBar = nullptr;
    QPointer<BoxSettingForm> m_settingForm;
    MainMenu *m_mainMenu = nullptr;
    QPointer<AboutForm> m_aboutForm;
    QPointer<SmallAccountForm> m_smallForm;
    LoginForm *m_loginForm = nullptr;
    TabWidget *m_tabWidget = nullptr;
    Sqlite *m_sqlite = nullptr;
    Settings *m_settings = nullptr;
    QPointer<CloseSettingForm> m_closeSettingForm;
    WebEngineProfile *m_webProfile = nullptr;
    QString m_skinDir;
    QHash<QString, QString> m_gameIdHostMap;
    TrayIcon *m_tray = nullptr;
    BackgroundTasks *m_tasks = nullptr;
    Session *m_session = nullptr;
    AuxWindows *m_auxWindows = nullptr;
    BossMute *m_bossMute = nullptr;
    TabResources *m_tabResources = nullptr;
    GameSessions *m_gameSessions = nullptr;
    LoginButtons *m_loginButtons = nullptr;
};
