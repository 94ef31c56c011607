#pragma once

#include <QObject>
#include <QPointer>

class CloseSettingForm;
class Settings;
class TrayIcon;
class QWidget;

// What the close button does to the main window: ask once, quit, minimize
// where there is no tray, or hide to the tray (CloseRule decides).
class WindowCloser : public QObject
{
    Q_OBJECT
public:
    WindowCloser(QWidget *window, Settings *settings, TrayIcon *tray);

    void closeWindow();

signals:
    void signalQuit();

private:
    CloseSettingForm *closeSettingForm();

    QWidget *m_window;
    Settings *m_settings;
    TrayIcon *m_tray;
    QPointer<CloseSettingForm> m_form;
};
