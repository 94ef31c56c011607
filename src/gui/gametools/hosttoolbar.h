#pragma once

#include "gametools/gametoolbar.h"
#include "web/tabcontext.h"

#include <QByteArray>

namespace Ui { class HostToolBar; }

// The bar over a web-game tab: small accounts, reload, full screen, the
// portal's shop, first-pay and gift pages for the game, screenshot, the
// collection of the server played, sound, cache, recharge, service and hide.
class HostToolBar : public GameToolBar
{
    Q_OBJECT
public:
    explicit HostToolBar(QWidget *parent = nullptr);
    ~HostToolBar() override;

    // Only a tab that plays a server offers to collect it.
    void setCollectionVisible(bool visible);
    static bool offersCollection(const TabContext &context);

public slots:
    // The game_list answer to a first-pay or gift click ("pointLinkFlag").
    void handlerPointsLinkBtn(QByteArray reply);
    void handlerCollection();
    void handlerCollectionResult(QByteArray reply);

protected:
    void openLink(TabWidget *tabs, const QString &buttonName) override;

private:
    void lookUpGame(TabWidget *tabs, const QString &buttonName);

    Ui::HostToolBar *ui;
    QPointer<HttpRequest> m_lookup;
    QPointer<HttpRequest> m_collection;
};
