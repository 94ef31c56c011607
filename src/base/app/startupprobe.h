#pragma once

#include <QObject>

// For the start-up benchmark: with KORVO_STARTUP_PROBE set in the
// environment, prints "loaded <milliseconds since the epoch>" once both home
// views of the window have finished loading, and ends the program (unless
// the variable says "stay").
class StartupProbe : public QObject
{
    Q_OBJECT
public:
    static void watchIfAsked(QObject *window);

private slots:
    void viewLoaded();

private:
    explicit StartupProbe(QObject *parent);

    int m_waiting = 0;
};
