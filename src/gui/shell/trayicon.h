#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QMenu;

// The client's icon in the system tray, visible for the life of the main
// window (also while it is hidden), with its menu: "显示窗口" and "退出".
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    explicit TrayIcon(QObject *parent = nullptr);
    ~TrayIcon() override;

    QSystemTrayIcon *icon() const { return m_icon; }
    // Back from the tray in the state the window had: maximized stays maximized,
    // and a minimized window returns to the state it had before minimizing.
    static void showAgain(QWidget *window);

signals:
    // The menu's "显示窗口" or a double click on the icon.
    void signalShowWindow();
    // The menu's "退出".
    void signalExit();

private:
    void handlerActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon *m_icon;
    QMenu *m_menu;
};
