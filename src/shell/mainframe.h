#pragma once

#include <QHash>
#include <QMap>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

namespace Ui { class MainFrame; }

class AboutForm;
class BoxSettingForm;
class CloseSettingForm;
class LoginForm;
class QMenu;
class Settings;
class Sqlite;
class StatusBar;
class TabWidget;
class ThreadCheckAccount;
class TokenDelayThread;
class UserPhotoControl;
class WebEngineProfile;

// The client's only top-level window: its own title bar, the tab container,
// the tray icon and menus, the boss key, frameless move/resize and skins.
// It builds the shared objects in order and hands them on.
class MainFrame : public QWidget
{
    Q_OBJECT
public:
    enum Edge { EdgeNone = 0, EdgeTop = 1, EdgeBottom = 2, EdgeLeft = 4, EdgeRight = 8 };

    explicit MainFrame(QWidget *parent = nullptr);
    ~MainFrame() override;

    // Shared objects that other windows reach through the main window.
    Settings *settings() const { return m_settings; }
    Sqlite *sqlite() const { return m_sqlite; }
    LoginForm *loginForm() const { return m_loginForm; }
    TabWidget *tabWidget() const { return m_tabWidget; }
    WebEngineProfile *webProfile() const { return m_webProfile; }
    UserPhotoControl *userPhoto() const { return m_userPhoto; }
    QHash<QString, QString> *gameIdHostMap() const { return m_gameIdHostMap; }
    QString skinDirectory() const { return m_skinDir; }
    // Test hook: how often the account check asks the portal (applies to the next login).
    void setAccountCheckPeriod(int ms);
    void applySkin(const QString &skinName);

    // Which edges a cursor at pos (global) is over, for a frame geometry.
    static int edgesAt(const QRect &frame, const QPoint &pos, int border);
    // The geometry after dragging the given edges to the cursor, kept within the size limits.
    static QRect resizedGeometry(const QRect &frame, int edges, const QPoint &cursor,
                                 const QSize &minimum, const QSize &maximum);

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
    void showAboutWindow();
    void showLoginWindow();
    void handlerUpdateLoinInfo(QMap<QString, QString> info);
    void handlerUserLoginout();
    void handlerOpenUserCenter();
    void handlerCheckAccountErr(int code, QString msg);

protected:
    // Ends the process; a seam so that tests can observe the request.
    virtual void quitApplication();

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
    void startTokenThread();
    void stopThreads();
    void setLoginButtonAction(bool loggedIn);
    void loadLeftPage(const QString &userId);
    void centerOnScreen();
    void setupTitleButtons();
    void createTrayIcon();
    void createMainMenu();
    void handlerTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void updateCursorShape(const QPoint &globalPos);
    void layoutChildren();

    Ui::MainFrame *ui;
    QPoint m_dragOffset;
    int m_resizeBorder = 4;
    int m_resizeEdges = EdgeNone;
    UserPhotoControl *m_userPhoto = nullptr;
    StatusBar *m_statusBar = nullptr;
    QPointer<BoxSettingForm> m_settingForm;
    QMenu *m_mainMenu = nullptr;
    QPointer<AboutForm> m_aboutForm;
    LoginForm *m_loginForm = nullptr;
    TabWidget *m_tabWidget = nullptr;
    Sqlite *m_sqlite = nullptr;
    Settings *m_settings = nullptr;
    QPointer<CloseSettingForm> m_closeSettingForm;
    WebEngineProfile *m_webProfile = nullptr;
    QString m_skinDir;
    QHash<QString, QString> *m_gameIdHostMap = nullptr;
    QSystemTrayIcon *m_trayIcon = nullptr;
    QThread *m_checkAccountThread = nullptr;
    ThreadCheckAccount *m_checkAccount = nullptr;
    TokenDelayThread *m_tokenThread = nullptr;
    QMetaObject::Connection m_loginBtnConnection;
    QMenu *m_trayMenu = nullptr;
};
