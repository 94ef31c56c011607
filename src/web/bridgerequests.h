#pragma once

#include "newtabgate.h"

#include <QObject>
#include <QPointer>

class PageNotice;
class TabWidget;

// Carries out on the tab manager what portal pages ask through "external".
// Calls that open tabs need the user's input first, and a few a minute at
// most; what is refused is told at the foot of the tab in front.
class BridgeRequests : public QObject
{
    Q_OBJECT
public:
    explicit BridgeRequests(TabWidget *tabs);

private:
    void connectExternal();
    bool mayOpenFromPage();

    TabWidget *m_tabs;
    NewTabGate m_gate;
    int m_blocked = 0;
    QPointer<PageNotice> m_notice;
};
