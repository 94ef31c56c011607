#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QMenu;

// The client's icon in the system tray, visible for the life of the main
// window (also while it is hidden), with its menu: "显示窗口" and "退出".
// Not every desktop has a tray, and a panel may come or go while the client
// runs: whoever needs to know asks at that moment.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    explicit TrayIcon(QObject *parent = nullptr);
    ~TrayIcon() override;

    QSystemTrayIcon *icon() const { return m_icon; }
    // Whether the desktop shows a tray now.
    static bool available();
    // Back from the tray in the state the window had: maximized stays maximized,
    // and a minimized window returns to the state it had before minimizing.
    static void showAgain(QWidget *window);
    // A click on the icon: a window in view goes to the tray, any other comes back.
    static void toggle(QWidget *window);
    // The first time in a run that the window goes to the tray, a desktop
    // notification says that the client goes on running there.
    void announceHidden();

signals:
    // The menu's "显示窗口" or a double click on the icon.
    void signalShowWindow();
    // One click on the icon.
    void signalToggleWindow();
    // The menu's "退出".
    void signalExit();

private:
    void handlerActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon *m_icon;
    QMenu *m_menu;
    bool m_announced = false;
};
