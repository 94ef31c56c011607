#pragma once

#include "web/newtabgate.h"

#include <QObject>
#include <QPointer>

class PageNotice;
class TabHost;

// Carries out on the tab manager what portal pages ask through "external".
// Calls that open tabs need the user's input first, and a few a minute at
// most; what is refused is told at the foot of the tab in front.
class BridgeRequests : public QObject
{
    Q_OBJECT
public:
    BridgeRequests(TabHost &tabs, QObject *parent);

    // An address a page asks for, by option: "open" a tab, "todayserver",
    // "search" and "back" in the home view, anything else a skin package.
    void openUrl(const QString &url, const QString &option);

private:
    void connectExternal();
    bool mayOpenFromPage();
    static void refuse(const QUrl &address);

    TabHost &m_tabs;
    NewTabGate m_gate;
    int m_blocked = 0;
    QPointer<PageNotice> m_notice;
};
