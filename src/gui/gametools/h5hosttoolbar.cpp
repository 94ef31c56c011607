#include "gametools/h5hosttoolbar.h"
#include "ui_h5hosttoolbar.h"

H5HostToolBar::H5HostToolBar(QWidget *parent)
    : GameToolBar(QString(), QStringLiteral("h5HostWebView"), parent)
    , ui(new Ui::H5HostToolBar)
{
    ui->setupUi(this);
    connectButtons();
}

H5HostToolBar::~H5HostToolBar()
{
    delete ui;
}
