#include "sessionrestore.h"

#include "gameopener.h"
#include "loginform.h"
#include "mainframe.h"
#include "rememberedgames.h"
#include "session.h"
#include "extras.h"
#include "sqlite.h"
#include "statusbar.h"
#include "tabwidget.h"

SessionRestore::SessionRestore(MainFrame *frame, StatusBar *bar, GameOpener *opener, QObject *parent)
    : QObject(parent)
    , m_frame(frame)
    , m_bar(bar)
    , m_opener(opener)
{
    // Read before this session's tabs can change what is stored.
    if (isOn())
        m_remembered = RememberedGames::load(frame->settings());
    connect(frame->loginForm(), &LoginForm::signalUserBalanceInfo, this, &SessionRestore::handlerMainLogin);
    connect(bar, &StatusBar::signalRestoreGames, this, &SessionRestore::restoreGames);
}

bool SessionRestore::isOn() const
{
    return Extras::enabled(m_frame->settings(), Extras::RestoreGames);
}

QList<GameTab> SessionRestore::offered() const
{
    const Identity main = m_frame->session()->identity();
    QList<GameTab> games;
    if (!main.isLoggedIn())
        return games;
    for (const GameTab &game : m_remembered) {
        const bool mine = game.mainAccount ? game.account == main.userName
                                           : !m_frame->sqlite()->smallAccountOf(main.userId, game.account).isEmpty();
        if (mine)
            games.append(game);
    }
    return games;
}

void SessionRestore::handlerMainLogin()
{
    m_bar->showRestoreOffer(isOn() && !offered().isEmpty());
}

void SessionRestore::restoreGames()
{
    m_bar->showRestoreOffer(false);
    const QList<GameTab> games = offered();
    m_remembered.clear();
    m_opener->open(games);
}

void SessionRestore::remember()
{
    Settings *settings = m_frame->settings();
    if (!isOn()) {
        RememberedGames::save(settings, {});
        return;
    }
    const QList<GameTab> open = GameOpener::openGames(m_frame->tabWidget());
    if (open.isEmpty() && !m_remembered.isEmpty())
        return;
    RememberedGames::save(settings, open);
}
