#pragma once

#include "web/urlrouter.h"

#include <QHash>
#include <QString>

class TabHost;

// Carries the router's decisions out on the tab manager: which tab opens, or
// which view of the current tab loads the address.
class RouteFollower
{
public:
    explicit RouteFollower(TabHost &tabs);

    void setGameIdHosts(const QHash<QString, QString> &map);
    // Decides where the address goes and opens or loads it there.
    void follow(const QUrl &url);

private:
    RouteContext context() const;
    void carryOut(const UrlRoute &route);
    void playInCurrentTab(const UrlRoute &route, const QString &viewName);
    // A game-play tab of the route's server, by the account of the current context.
    void playInNewTab(const UrlRoute &route);

    TabHost &m_tabs;
    UrlRouter m_router;
};
