#pragma once

class QWidget;
class TabContainer;
class TabWidget;

// What a game tab shows besides its page: the bar over it and the
// small-account side bar beside it. The game tools make them and wire them to
// the tab manager; the tab manager only places them. Whoever makes the tab
// manager hands one in; without one (tests of pages alone) game tabs show
// their page alone.
class GameTabParts
{
public:
    enum Bar { WebGameBar, H5GameBar };

    virtual ~GameTabParts() = default;
    // The bar over the page of a game tab; it follows the container's context.
    virtual QWidget *toolBar(Bar bar, TabWidget *tabs, TabContainer *container) = 0;
    // The side bar beside the page, opened by that bar's small-account button.
    virtual QWidget *sideBar(QWidget *toolBar, TabWidget *tabs, QWidget *parent) = 0;
};
