#include "shell/gamesessions.h"

#include "app/appservices.h"
#include "shell/allaccountsplay.h"
#include "shell/gameopener.h"
#include "shell/gametabmenu.h"
#include "shell/memoryceiling.h"
#include "app/noticebox.h"
#include "shell/sessionrestore.h"
#include "shell/shortcutlauncher.h"
#include "shell/splitactions.h"

GameSessions::GameSessions(const AppServices &services, TabWidget *tabs, LoginService *login, StatusBar *bar,
                           QWidget *window)
    : QObject(window)
    , m_opener(new GameOpener(tabs, services.sqlite, this))
    , m_restore(new SessionRestore(services, tabs, login, bar, m_opener, this))
    , m_launcher(new ShortcutLauncher(services, tabs, login, window, m_opener, this))
    , m_tabMenu(new GameTabMenu(tabs, services.settings, this))
{
    connect(m_opener, &GameOpener::signalFailed, window, [window](const QString &message) {
        NoticeBox::show(window, message);
    });
    new SplitActions(tabs, m_tabMenu, this);
    new MemoryCeiling(tabs, services.settings, bar);
    connect(m_tabMenu, &GameTabMenu::signalMenuOpening, new AllAccountsPlay(services, tabs, this),
            &AllAccountsPlay::addMenuActions);
}

void GameSessions::remember()
{
    m_restore->remember();
}
