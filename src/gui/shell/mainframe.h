#pragma once

#include <QHash>
#include <QMap>
#include <QPointer>
#include <QWidget>

#include "app/appservices.h"

#include <memory>

namespace Ui { class MainFrame; }

class AboutForm;
class AuxWindows;
class BackgroundTasks;
class BackgroundPlay;
class BossMute;
class BoxSettingForm;
class FrameDragger;
class GameSessions;
class GlobalBossKey;
class WindowCloser;
class LoginButtons;
class LoginForm;
class MainMenu;
class QMenu;
class Session;
class Settings;
class SmallAccountForm;
class Sqlite;
class StatusBar;
class SoundFocus;
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

    // The shared objects, made here in order and handed to the windows made here.
    const AppServices &services() const { return m_services; }
    Settings *settings() const { return m_services.settings; }
    Sqlite *sqlite() const { return m_services.sqlite; }
    Session *session() const { return m_services.session; }
    LoginForm *loginForm() const { return m_loginForm; }
    TabWidget *tabWidget() const { return m_tabWidget; }
    UserPhotoControl *userPhoto() const { return m_userPhoto; }
    AuxWindows *auxWindows() const { return m_auxWindows; }
    // Hides the window for the boss key and the eye buttons.
    BossMute *bossMute() const { return m_bossMute; }
    // The boss key: the window's own key, an X11 grab, the desktop's portal, "--toggle".
    GlobalBossKey *bossKey() const { return m_bossKey; }
    TabResources *tabResources() const { return m_tabResources; }
    BackgroundPlay *backgroundPlay() const { return m_backgroundPlay; }
    SoundFocus *soundFocus() const { return m_soundFocus; }
    GameSessions *gameSessions() const { return m_gameSessions; }
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
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
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
    AppServices m_services;
    std::unique_ptr<FrameDragger> m_dragger;
    UserPhotoControl *m_userPhoto = nullptr;
    StatusBar *m_statusBar = nullptr;
    QPointer<BoxSettingForm> m_settingForm;
    MainMenu *m_mainMenu = nullptr;
    QPointer<AboutForm> m_aboutForm;
    QPointer<SmallAccountForm> m_smallForm;
    LoginForm *m_loginForm = nullptr;
    TabWidget *m_tabWidget = nullptr;
    TrayIcon *m_tray = nullptr;
    WindowCloser *m_closer = nullptr;
    AuxWindows *m_auxWindows = nullptr;
    BossMute *m_bossMute = nullptr;
    GlobalBossKey *m_bossKey = nullptr;
    TabResources *m_tabResources = nullptr;
    BackgroundPlay *m_backgroundPlay = nullptr;
    SoundFocus *m_soundFocus = nullptr;
    GameSessions *m_gameSessions = nullptr;
    LoginButtons *m_loginButtons = nullptr;
};
