#pragma once

#include <QObject>
#include <QSize>
#include <QTimer>

class QWidget;
class Settings;

// Remembers the main window's size, maximized state and, where the platform
// lets the client place windows, position in the settings ("window/geometry",
// "window/maximized"), and gives them back at the next start, on a screen
// that exists then.
class WindowMemory : public QObject
{
    Q_OBJECT
public:
    WindowMemory(QWidget *window, Settings *settings, const QSize &defaultSize);

    // Before the window is first shown.
    void restore();
    void remember();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    Settings *m_settings;
    QSize m_defaultSize;
    // A drag sends a stream of moves; the settings are written once it rests.
    QTimer m_settle;
};
