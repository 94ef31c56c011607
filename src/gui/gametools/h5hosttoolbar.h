#pragma once

#include "gametools/gametoolbar.h"

namespace Ui { class H5HostToolBar; }

// The bar over an H5 game tab: small accounts, reload, full screen, the H5
// host's gift cards, screenshot, sound, cache, recharge, service and hide.
class H5HostToolBar : public GameToolBar
{
    Q_OBJECT
public:
    explicit H5HostToolBar(QWidget *parent = nullptr);
    ~H5HostToolBar() override;

private:
    Ui::H5HostToolBar *ui;
};
