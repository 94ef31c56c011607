#pragma once

#include <QString>
#include <QUrl>

// What the tab manager does with an address a portal page wanted a new window for.
struct UrlRoute
{
    enum Action {
        Nothing,            // stop: nothing opens
        PaymentTab,         // a diverting rule matched: a web tab with url (the payment page)
        WebTab,             // an ordinary web tab with url
        H5Tab,              // an H5 tab for the game name
        H5PlayInCurrent,    // the current tab's H5 view loads url; the tab is now playing
        SystemBrowser,      // the system browser opens url
        HostTab,            // a web-game tab for the game host name
        GamePlayInCurrent,  // the current tab's game view loads url (the game-play address) for serverId
        GamePlayTab,        // a game-play tab with url for serverId
        HomeList,           // the home tab's page view loads url
    };

    Action action = Nothing;
    QUrl url;
    QString name;      // H5Tab, HostTab
    QString serverId;  // GamePlayInCurrent, GamePlayTab

    bool operator==(const UrlRoute &other) const
    {
        return action == other.action && url == other.url && name == other.name && serverId == other.serverId;
    }
};
