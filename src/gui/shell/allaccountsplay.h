#pragma once

#include "account/allaccountsrun.h"
#include "web/gametab.h"
#include "web/tabcontext.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class LoginService;
class QMenu;
class SmallAccountChooser;
class TabWidget;
struct AppServices;

// "以全部小号进入" in a game tab's menu: the player ticks small accounts, each
// logs in with its stored digest, one after another, and the tab's game opens
// again as each of them, in its own profile, in a tab of its own; once all are
// through, the tab and the new ones are shown together in the split view. The
// accounts that could not log in are told with the reason.
class AllAccountsPlay : public QObject
{
    Q_OBJECT
public:
    AllAccountsPlay(const AppServices &services, TabWidget *tabs, QObject *parent = nullptr);

    void addMenuActions(QMenu *menu, QWidget *tab);
    // The chooser for the tab's game, shown; null, and the player told, without small accounts.
    SmallAccountChooser *chooseFor(QWidget *tab);
    // Opens the tab's game as each of the accounts; false while an entry is still going.
    bool enter(QWidget *tab, const QStringList &userNames);
    bool isBusy() const { return m_run->isRunning(); }

signals:
    // The tabs opened by one entry, in the order of the accounts.
    void signalOpened(QList<QWidget *> tabs);

private:
    // The tab entered from and the new ones, into the split view.
    void showInSplit(const QList<QWidget *> &tabs);
    QString mainUserId() const;
    void handlerAccountDone(const AllAccountsRun::Outcome &outcome);
    void handlerFinished();
    void showProgress();

    const AppServices &m_services;
    TabWidget *m_tabs;
    LoginService *m_login;
    AllAccountsRun *m_run;
    GameTab m_game;
    TabContext m_context;
    // The tab the accounts entered from.
    QPointer<QWidget> m_source;
    QString m_mainId;
    QList<QPointer<QWidget>> m_opened;
    QStringList m_problems;
    QPointer<SmallAccountChooser> m_chooser;
    int m_count = 0;
};
