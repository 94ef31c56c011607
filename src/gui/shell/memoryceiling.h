#pragma once

#include "web/discardrule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class ProcessSampler;
class QTimer;
class Settings;
class StatusBar;
class TabContainer;
class TabWidget;
class QWidget;

// Keeps the client under the memory ceiling the player set ("内存上限" in
// the settings dialog). While it is on, the memory of the whole process tree
// (the client and the engine's helpers) is read now and then off the GUI
// thread; past the ceiling the ordinary web page out of sight longest is
// discarded, one a reading, and the status bar names it. A discarded page
// reloads when its tab comes to the front again. Games are never discarded.
class MemoryCeiling : public QObject
{
    Q_OBJECT
public:
    MemoryCeiling(TabWidget *tabs, Settings *settings, StatusBar *bar);

    // Time between two readings of the tree.
    void setInterval(int ms);
    bool isWatching() const;

signals:
    // After a reading was taken and acted on: the tree's PSS (-1 unknown).
    void signalChecked(qint64 treePssKiB);
    void signalDiscarded(QWidget *tab);

private:
    void followSetting();
    void takeReading();
    void act();
    void noteCurrent(int index);
    QList<TabContainer *> containers() const;
    DiscardRule::Tab describe(const TabContainer *tab) const;
    void discard(TabContainer *tab);
    static void wake(QWidget *tab);

    TabWidget *m_tabs;
    // The main window's, which may go first at the end.
    QPointer<Settings> m_settings;
    QPointer<StatusBar> m_bar;
    ProcessSampler *m_sampler;
    QTimer *m_timer;
    QElapsedTimer m_clock;
    QPointer<QWidget> m_current;
    bool m_reading = false;
};
