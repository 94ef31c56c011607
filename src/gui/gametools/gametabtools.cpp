#include "gametools/gametabtools.h"

#include "gametools/h5hosttoolbar.h"
#include "gametools/hosttoolbar.h"
#include "gametools/smallleftbarform.h"
#include "web/tabcontainer.h"
#include "web/tabwidget.h"

namespace {
void connectToTabs(GameToolBar *bar, TabWidget *tabs)
{
    QObject::connect(bar, &GameToolBar::signalReload, tabs, &TabWidget::handlerReload);
    QObject::connect(bar, &GameToolBar::signalFullscreen, tabs, &TabWidget::handlerFullscreen);
    QObject::connect(bar, &GameToolBar::signalBossKey, tabs, &TabWidget::signalBossKeyRequested);
    QObject::connect(bar, &GameToolBar::signalCleanCache, tabs, &TabWidget::signalCleanCacheRequested);
    QObject::connect(bar, &GameToolBar::signalScreenhost, tabs, &TabWidget::signalScreenshotRequested);
    QObject::connect(bar, &GameToolBar::signalSmallAccount, tabs, &TabWidget::signalSmallAccountRequested);
}
}

QWidget *GameTabTools::toolBar(Bar kind, TabWidget *tabs, TabContainer *container)
{
    if (kind == H5GameBar) {
        auto *bar = new H5HostToolBar(tabs);
        connectToTabs(bar, tabs);
        return bar;
    }
    auto *bar = new HostToolBar(tabs);
    connectToTabs(bar, tabs);
    // A tab that comes to play a server (a server chosen in the game's page) offers to collect it.
    bar->setCollectionVisible(HostToolBar::offersCollection(container->context()));
    QObject::connect(container, &TabContainer::signalContextChanged, bar, [bar](const TabContext &context) {
        bar->setCollectionVisible(HostToolBar::offersCollection(context));
    });
    return bar;
}

QWidget *GameTabTools::sideBar(QWidget *toolBar, TabWidget *tabs, QWidget *parent)
{
    auto *sideBar = new SmallLeftBarForm(tabs, parent);
    if (auto *bar = qobject_cast<GameToolBar *>(toolBar))
        QObject::connect(bar, &GameToolBar::signalSmallAccount, sideBar, &SmallLeftBarForm::open);
    return sideBar;
}
