#include "shell/gameopener.h"

#include "net/portal.h"
#include "net/session.h"
#include "account/loginservice.h"
#include "gametools/smallaccountplay.h"
#include "account/sqlite.h"
#include "web/tabcontainer.h"
#include "web/tabwidget.h"
#include "web/urlrouter.h"

#include <QDebug>

GameOpener::GameOpener(TabWidget *tabs, Sqlite *store, QObject *parent)
    : QObject(parent)
    , m_tabs(tabs)
    , m_store(store)
    , m_login(SmallAccountPlay::newLogin(store, this))
{
    connect(m_login, &LoginService::signalLoggedIn, this, &GameOpener::handlerLoggedIn);
    connect(m_login, &LoginService::signalFailed, this, &GameOpener::handlerLoginFailed);
}

void GameOpener::open(const QList<GameTab> &games)
{
    for (const GameTab &game : games) {
        if (game.isValid())
            m_queue.append(game);
    }
    if (!m_waiting)
        openNext();
}

void GameOpener::openNext()
{
    Session *session = m_tabs ? m_tabs->session() : nullptr;
    while (!m_waiting && !m_queue.isEmpty()) {
        const GameTab game = m_queue.takeFirst();
        const Identity main = session ? session->identity() : Identity();
        const QString refusal = refusalFor(game, main);
        if (!refusal.isEmpty()) {
            emit signalFailed(refusal);
        } else if (game.account == main.userName) {
            m_tabs->setCurrentContext(m_tabs->currentContext().asMainAccount(main.userName));
            openTab(m_tabs, game, main);
        } else {
            m_current = game;
            m_mainId = main.userId;
            m_waiting = true;
            // A stored row is certain here, so a refused start is a login still out.
            if (!m_login->loginStored(game.account))
                m_waiting = false;
        }
    }
}

QString GameOpener::refusalFor(const GameTab &game, const Identity &main) const
{
    if (!main.isLoggedIn())
        return QStringLiteral("请先登录，再打开游戏");
    if (game.account == main.userName)
        return QString();
    if (m_store && !m_store->smallAccountOf(main.userId, game.account).isEmpty())
        return QString();
    if (m_store && !m_store->accountByName(game.account).isEmpty())
        return QStringLiteral("账号“%1”不是当前登录账号的小号，无法打开该游戏").arg(game.account);
    return QStringLiteral("本机没有保存账号“%1”，无法打开该游戏").arg(game.account);
}

WebView *GameOpener::openTab(TabWidget *tabs, const GameTab &game, const Identity &player)
{
    qDebug() << "GameOpener: opening" << game.kind << game.host << game.serverId;
    WebView *view = createTab(tabs, game, player);
    // A new tab opens in front: the one to put back into the split.
    if (view && game.inSplit)
        tabs->addToSplit(tabs->currentWidget());
    return view;
}

WebView *GameOpener::createTab(TabWidget *tabs, const GameTab &game, const Identity &player)
{
    if (game.kind == QLatin1String("h5"))
        return tabs->createH5HostTab(game.host, game.game);
    if (game.kind == QLatin1String("web"))
        return tabs->createHostTab(game.host, game.game);
    UrlRouter router;
    router.setHosts(Portal::portalHost(), Portal::h5Host(), Portal::partnerHosts());
    TabContext context = tabs->currentContext();
    context.host = game.host;
    context.serverId = game.serverId;
    return tabs->createGamePlayTab(QUrl(router.gamePlayAddress(game.serverId, player)), context);
}

void GameOpener::handlerLoggedIn(const Identity &who)
{
    if (!m_waiting)
        return;
    m_waiting = false;
    const Session *session = m_tabs->session();
    // Another main login meanwhile closed the tabs of the old one: its small account plays no more.
    if (!session || session->identity().userId != m_mainId) {
        m_queue.clear();
        return;
    }
    // The login answers for the name asked; another name is no login of ours.
    if (who.userName.compare(m_current.account, Qt::CaseInsensitive) != 0) {
        handlerLoginFailed(QStringLiteral("账号数据不符"));
        return;
    }
    SmallAccountPlay::enter(m_tabs, who);
    openTab(m_tabs, m_current, who);
    openNext();
}

void GameOpener::handlerLoginFailed(const QString &message)
{
    m_waiting = false;
    emit signalFailed(QStringLiteral("小号“%1”登录失败：%2").arg(m_current.account, message));
    openNext();
}

GameTab GameOpener::gameOf(const TabWidget *tabs, QWidget *tab)
{
    const TabContext context = TabContainer::contextOf(tab);
    // Game tabs name their game's host, or the server they play; pages neither.
    if (context.host.isEmpty() && context.serverId.isEmpty())
        return GameTab();
    GameTab game;
    game.host = context.host;
    game.serverId = context.serverId;
    game.account = context.userName;
    game.mainAccount = context.isMainAccount();
    if (!game.serverId.isEmpty())
        game.kind = QStringLiteral("play");
    else if (context.gameType == QLatin1String("h5"))
        game.kind = QStringLiteral("h5");
    else
        game.kind = QStringLiteral("web");
    game.inSplit = tabs->splitView() && tabs->splitView()->contains(tab);
    // Tabs read "<account>|<title>"; the title is only a label.
    const QString text = tabs->tabTitle(tab);
    game.game = text.section(QLatin1Char('|'), 1).left(GameTab::maxTextLength).trimmed();
    if (!GameTab::isPlainText(game.game))
        game.game.clear();
    return game;
}

QList<GameTab> GameOpener::openGames(const TabWidget *tabs)
{
    QList<GameTab> games;
    for (QWidget *tab : tabs ? tabs->allTabs() : QList<QWidget *>()) {
        const GameTab game = gameOf(tabs, tab);
        if (game.isValid() && !games.contains(game))
            games.append(game);
    }
    return games;
}
