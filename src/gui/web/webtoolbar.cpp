#include "web/webtoolbar.h"
#include "ui_webtoolbar.h"

#include "web/webview.h"

#include <QTabWidget>

WebToolBar::WebToolBar(QTabWidget *parent)
    : QWidget(parent)
    , ui(new Ui::WebToolBar)
    , tabWidget(parent)
{
    ui->setupUi(this);
    connect(ui->webBar_RefleshBtn, &QPushButton::clicked, this, &WebToolBar::signalReload);
    connect(ui->webBar_BackBtn, &QPushButton::clicked, this, &WebToolBar::handlerBack);
    connect(ui->webBar_AheadBtn, &QPushButton::clicked, this, &WebToolBar::handlerAhead);
}

WebToolBar::~WebToolBar()
{
    delete ui;
}

WebView *WebToolBar::currentPageView() const
{
    QWidget *tab = tabWidget ? tabWidget->currentWidget() : nullptr;
    return tab ? tab->findChild<WebView *>(QStringLiteral("webotherview")) : nullptr;
}

void WebToolBar::handlerBack()
{
    if (WebView *view = currentPageView())
        view->back();
}

void WebToolBar::handlerAhead()
{
    if (WebView *view = currentPageView())
        view->forward();
}
