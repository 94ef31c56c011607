#include "shell/allaccountsplay.h"

#include "app/appservices.h"
#include "app/noticebox.h"
#include "account/loginservice.h"
#include "net/session.h"
#include "shell/gameopener.h"
#include "gametools/smallaccountchooser.h"
#include "gametools/smallaccountplay.h"
#include "web/splitview.h"
#include "web/tabcontainer.h"
#include "web/tabwidget.h"
#include "web/webview.h"

#include <QDebug>
#include <QMenu>

namespace {
// Game tabs name their game's host, or the server they play; pages neither.
bool isGameTab(const QWidget *tab)
{
    const TabContext context = TabContainer::contextOf(tab);
    return tab && (!context.host.isEmpty() || !context.serverId.isEmpty());
}

QWidget *tabOf(QWidget *view)
{
    for (QWidget *widget = view; widget; widget = widget->parentWidget()) {
        if (qobject_cast<TabContainer *>(widget))
            return widget;
    }
    return nullptr;
}
}

AllAccountsPlay::AllAccountsPlay(const AppServices &services, TabWidget *tabs, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_tabs(tabs)
    , m_login(SmallAccountPlay::newLogin(services.sqlite, this))
    , m_run(new AllAccountsRun(m_login, this))
{
    qRegisterMetaType<QList<QWidget *>>();
    connect(m_run, &AllAccountsRun::signalAccountDone, this, &AllAccountsPlay::handlerAccountDone);
    connect(m_run, &AllAccountsRun::signalFinished, this, &AllAccountsPlay::handlerFinished);
}

QString AllAccountsPlay::mainUserId() const
{
    return m_services.session ? m_services.session->identity().userId : QString();
}

void AllAccountsPlay::addMenuActions(QMenu *menu, QWidget *tab)
{
    if (!isGameTab(tab))
        return;
    QAction *action = menu->addAction(QStringLiteral("以全部小号进入"));
    action->setObjectName(QStringLiteral("gameTabMenu_AllSmallAccountsAction"));
    // One entry at a time: the next waits for the accounts of this one.
    action->setEnabled(!isBusy());
    const QPointer<QWidget> target(tab);
    connect(action, &QAction::triggered, this, [this, target] {
        if (target)
            chooseFor(target);
    });
}

SmallAccountChooser *AllAccountsPlay::chooseFor(QWidget *tab)
{
    const QStringList names = AllAccountsRun::smallAccountNames(m_services.sqlite, mainUserId());
    if (names.isEmpty()) {
        NoticeBox::show(m_tabs, QStringLiteral("当前账号还没有小号,请先添加小号"));
        return nullptr;
    }
    auto *chooser = new SmallAccountChooser(names, m_tabs->window());
    const QPointer<QWidget> target(tab);
    connect(chooser, &SmallAccountChooser::signalChosen, this, [this, chooser, target](const QStringList &chosen) {
        if (!target || !enter(target, chosen)) {
            chooser->close();
            return;
        }
        m_chooser = chooser;
        showProgress();
    });
    // Closed before all are through: the accounts not yet logged in stay out.
    connect(chooser, &QObject::destroyed, this, [this] {
        if (isBusy())
            m_run->cancel();
    });
    chooser->show();
    return chooser;
}

bool AllAccountsPlay::enter(QWidget *tab, const QStringList &userNames)
{
    if (isBusy() || !isGameTab(tab) || userNames.isEmpty())
        return false;
    m_game = GameOpener::gameOf(m_tabs, tab);
    // The new tabs join the split together with it once they are all open.
    m_game.inSplit = false;
    m_source = tab;
    m_context = TabContainer::contextOf(tab);
    m_mainId = mainUserId();
    m_opened.clear();
    m_problems.clear();
    m_count = userNames.size();
    return m_run->start(userNames);
}

void AllAccountsPlay::showProgress()
{
    if (m_chooser)
        m_chooser->showProgress(
            QStringLiteral("正在以小号进入（%1 / %2）…").arg(qMin(m_run->outcomes().size() + 1, m_count)).arg(m_count));
}

void AllAccountsPlay::handlerAccountDone(const AllAccountsRun::Outcome &outcome)
{
    showProgress();
    if (!outcome.loggedIn()) {
        m_problems.append(QStringLiteral("%1：%2").arg(outcome.userName, outcome.problem));
        return;
    }
    // Another main login meanwhile closed the old one's tabs: its small accounts play no more.
    if (mainUserId() != m_mainId) {
        m_run->cancel();
        return;
    }
    m_tabs->setCurrentContext(m_context.asSmallAccount(outcome.who));
    GameTab game = m_game;
    game.account = outcome.who.userName;
    game.mainAccount = false;
    QWidget *opened = game.isValid() ? tabOf(GameOpener::openTab(m_tabs, game, outcome.who)) : nullptr;
    if (opened)
        m_opened.append(opened);
    else
        m_problems.append(QStringLiteral("%1：%2").arg(outcome.userName, QStringLiteral("游戏打开失败")));
}

void AllAccountsPlay::showInSplit(const QList<QWidget *> &tabs)
{
    if (tabs.isEmpty())
        return;
    SplitView *split = m_tabs->splitView();
    if (m_source && !(split && split->contains(m_source)))
        m_tabs->addToSplit(m_source);
    // What a full split cannot take stays in the strip.
    for (QWidget *tab : tabs)
        m_tabs->addToSplit(tab);
}

void AllAccountsPlay::handlerFinished()
{
    QList<QWidget *> tabs;
    for (const QPointer<QWidget> &tab : m_opened) {
        if (tab)
            tabs.append(tab);
    }
    qDebug() << "all small accounts: opened" << tabs.size() << "failed" << m_problems.size();
    if (m_chooser)
        m_chooser->close();
    showInSplit(tabs);
    emit signalOpened(tabs);
    if (!m_problems.isEmpty())
        NoticeBox::show(m_tabs, QStringLiteral("以下小号未能进入：\n") + m_problems.join(QLatin1Char('\n')));
}
