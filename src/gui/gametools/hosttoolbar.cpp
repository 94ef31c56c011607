#include "gametools/hosttoolbar.h"
#include "ui_hosttoolbar.h"

#include "gametools/gametoollinks.h"
#include "gametools/gametoolreplies.h"
#include "net/httprequest.h"
#include "net/session.h"
#include "web/tabwidget.h"

HostToolBar::HostToolBar(QWidget *parent)
    : GameToolBar(QStringLiteral("hostBar_"), QStringLiteral("hostwebview"), parent)
    , ui(new Ui::HostToolBar)
{
    ui->setupUi(this);
    connectButtons();
    connect(ui->hostBar_CollectionBtn, &QPushButton::clicked, this, &HostToolBar::handlerCollection);
    setCollectionVisible(false);
}

HostToolBar::~HostToolBar()
{
    delete ui;
}

void HostToolBar::setCollectionVisible(bool visible)
{
    ui->hostBar_CollectionBtn->setVisible(visible);
}

bool HostToolBar::offersCollection(const TabContext &context)
{
    return context.kind == TabContext::GamePlay || !context.serverId.isEmpty();
}

void HostToolBar::openLink(TabWidget *tabs, const QString &buttonName)
{
    if (!GameToolLinks::needsGameId(buttonName))
        GameToolBar::openLink(tabs, buttonName);
    else if (tabs->currentContext().host.isEmpty())
        showNotice(tabs->askForGameOf(tabs->currentTab()));
    else
        lookUpGame(tabs, buttonName);
}

void HostToolBar::lookUpGame(TabWidget *tabs, const QString &buttonName)
{
    setProperty("pointLinkFlag", buttonName);
    HttpRequest *request = startCall(m_lookup);
    connect(request, &HttpRequest::signalHttpSuccess, this, &HostToolBar::handlerPointsLinkBtn);
    request->get(GameToolLinks::gameListUrl(tabs->currentContext().host));
}

void HostToolBar::handlerPointsLinkBtn(QByteArray reply)
{
    endCall(m_lookup);
    const GameToolReplies::GameLookup lookup = GameToolReplies::readGameList(reply);
    if (!lookup.notice.isEmpty()) {
        showNotice(lookup.notice);
        return;
    }
    const QString page = GameToolLinks::pageForGame(property("pointLinkFlag").toString(), lookup.gameId);
    TabWidget *tabs = tabWidget();
    if (!page.isEmpty() && tabs)
        tabs->createWebTab(QUrl(page));
}

void HostToolBar::handlerCollection()
{
    TabWidget *tabs = tabWidget();
    if (!tabs)
        return;
    const TabContext &tab = tabs->currentContext();
    if (tab.host.isEmpty()) {
        showNotice(tabs->askForGameOf(tabs->currentTab()));
        return;
    }
    Session *session = tabs->session();
    const QString sessionUserId = session ? session->cookieValue(QStringLiteral("user_id")) : QString();
    HttpRequest *request = startCall(m_collection);
    connect(request, &HttpRequest::signalHttpSuccess, this, &HostToolBar::handlerCollectionResult);
    request->get(GameToolLinks::collectionUrl(GameToolLinks::collectorId(tab.profileFlag, sessionUserId),
                                              tab.host, tab.serverId));
}

void HostToolBar::handlerCollectionResult(QByteArray reply)
{
    showNotice(GameToolReplies::collectionMessage(reply));
    endCall(m_collection);
}
