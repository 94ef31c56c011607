#include "web/bridgechannel.h"

#include <QAbstractEventDispatcher>
#include <QEvent>

BridgeChannel::BridgeChannel(QObject *parent)
    : QWebChannel(parent)
{
    // The poll's timer belongs to the channel's publisher, its one child.
    for (QObject *child : children())
        child->installEventFilter(this);
}

int BridgeChannel::runningTimers() const
{
    int count = 0;
    for (QObject *child : children())
        count += QAbstractEventDispatcher::instance()->registeredTimers(child).size();
    return count;
}

bool BridgeChannel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Timer)
        stopPropertyPolling();
    return QWebChannel::eventFilter(watched, event);
}

void BridgeChannel::stopPropertyPolling()
{
    // Blocking updates stops the poll; it does not start again while the
    // client stays idle, and with no properties nothing is held back.
    setBlockUpdates(false);
    setBlockUpdates(true);
}
