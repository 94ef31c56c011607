#include "gametools/smallaccountplay.h"

#include "account/loginservice.h"
#include "web/tabwidget.h"
#include "web/webengineprofile.h"

#include <QScrollBar>
#include <QTableWidget>

LoginService *SmallAccountPlay::newLogin(Sqlite *store, QObject *parent)
{
    auto *login = new LoginService(LoginService::SmallAccount, store, parent);
    login->setCookieStoreFor(&WebEngineProfile::cookieStoreOf);
    return login;
}

void SmallAccountPlay::enter(TabWidget *tabs, const Identity &who)
{
    if (!tabs)
        return;
    tabs->setCurrentContext(tabs->currentContext().asSmallAccount(who));
}

void SmallAccountPlay::styleScrollBars(QTableWidget *table)
{
    const QString sheet = QStringLiteral(
        "QScrollBar{background:#aaa; height:6px;}QScrollBar::handle{background:#666; border:1px solid transparent; "
        "border-radius:3px;}QScrollBar::handle:hover{background:gray;}QScrollBar::sub-line{background:transparent;}"
        "QScrollBar::add-line{background:transparent;}");
    table->horizontalScrollBar()->setStyleSheet(sheet);
    table->verticalScrollBar()->setStyleSheet(QString(sheet).replace(QStringLiteral("height:6px;"),
                                                                     QStringLiteral("width: 6px;")));
}
