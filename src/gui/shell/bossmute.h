#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>

class QWebEnginePage;
class QWidget;
class Settings;

// The boss key's silence: hiding the window with the boss key (or an eye
// button) mutes every page in it; the next time the window shows, however it
// comes back, each of those pages gets its own mute state again, so a page the
// user muted stays muted and the toolbars' sound buttons stay right.
class BossMute : public QObject
{
    Q_OBJECT
public:
    BossMute(QWidget *window, Settings *settings);

    bool isSilencing() const { return m_silencing; }

signals:
    // After the pages were muted, and after each got its own state back.
    void silencingChanged(bool silencing);

public slots:
    // Hides the window, muting its pages first when "extras/bossmute" allows.
    void hideWindow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void muteAll();
    void restore();

    QWidget *m_window;
    Settings *m_settings;
    bool m_silencing = false;
    QList<QPair<QPointer<QWebEnginePage>, bool>> m_saved;
};
