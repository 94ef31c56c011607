#include "gametools/smallaccountplay.h"

#include "account/smallaccountlogin.h"
#include "web/tabwidget.h"
#include "web/webengineprofile.h"

#include <QScrollBar>
#include <QTableWidget>

SmallAccountLogin *SmallAccountPlay::newLogin(Sqlite *store, QObject *parent)
{
    return new SmallAccountLogin(
        store, [](const QString &userId) { return WebEngineProfile::profileFor(userId)->cookieStore(); }, parent);
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
