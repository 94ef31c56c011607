#pragma once

#include <QWebChannel>

// The web channel of the page bridge. Once a page's channel client reports
// idle, Qt's channel wakes the GUI thread every 50 ms to look for property
// changes to send, for as long as the client stays idle: hours, in a window
// left open. The bridge publishes calls and signals but no properties, so
// there is never anything to send; the channel stops that poll at its first
// tick (signals and calls are not affected).
class BridgeChannel : public QWebChannel
{
    Q_OBJECT
public:
    explicit BridgeChannel(QObject *parent = nullptr);

    // Timers running on the channel's behalf right now (for the tests).
    int runningTimers() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void stopPropertyPolling();
};
