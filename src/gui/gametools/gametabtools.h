#pragma once

#include "web/gametabparts.h"

// The game tools' parts of a game tab: the web-game or H5 bar, wired to the
// tab manager's reload, full screen, boss key, cache and small-account
// requests, and the small-account side bar it opens.
class GameTabTools : public GameTabParts
{
public:
    QWidget *toolBar(Bar bar, TabWidget *tabs, TabContainer *container) override;
    QWidget *sideBar(QWidget *toolBar, TabWidget *tabs, QWidget *parent) override;
};
