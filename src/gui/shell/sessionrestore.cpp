#include "shell/sessionrestore.h"

#include "shell/gameopener.h"
#include "account/loginservice.h"
#include "app/appservices.h"
#include "web/rememberedgames.h"
#include "net/session.h"
#include "app/extras.h"
#include "account/sqlite.h"
#include "shell/statusbar.h"
#include "web/tabwidget.h"

#include <QDebug>
#include <QGuiApplication>

SessionRestore::SessionRestore(const AppServices &services, TabWidget *tabs, LoginService *login, StatusBar *bar,
                               GameOpener *opener, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_tabs(tabs)
    , m_bar(bar)
    , m_opener(opener)
{
    // Taken, even when turned off: what this session does not write again is
    // gone once it ends, however it ends.
    const QList<GameTab> stored = RememberedGames::take(services.settings);
    if (isOn())
        m_remembered = stored;
    connect(login, &LoginService::signalLoggedIn, this, &SessionRestore::handlerMainLogin);
    connect(bar, &StatusBar::signalRestoreGames, this, &SessionRestore::restoreGames);
    // A logout may end the program without asking it to end at all (the
    // display goes away): the desktop session's save request writes first.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &SessionRestore::remember);
    connect(qGuiApp, &QGuiApplication::saveStateRequest, this, &SessionRestore::remember);
}

bool SessionRestore::isOn() const
{
    return Extras::enabled(m_services.settings, Extras::RestoreGames);
}

QList<GameTab> SessionRestore::offered() const
{
    const Identity main = m_services.session->identity();
    QList<GameTab> games;
    if (!main.isLoggedIn())
        return games;
    for (const GameTab &game : m_remembered) {
        const bool mine = game.mainAccount ? game.account == main.userName
                                           : !m_services.sqlite->smallAccountOf(main.userId, game.account).isEmpty();
        if (mine)
            games.append(game);
    }
    return games;
}

void SessionRestore::handlerMainLogin()
{
    const QList<GameTab> games = isOn() ? offered() : QList<GameTab>();
    QStringList names;
    for (const GameTab &game : games)
        names << QStringList{game.kind, game.host, game.serverId, game.account}.join(QLatin1Char(' '));
    // The games are named in the log: the one sign of the offer outside the window.
    qDebug().noquote() << QStringLiteral("SessionRestore: offer: ")
            + (names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral("; ")));
    m_bar->showRestoreOffer(!games.isEmpty());
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
    Settings *settings = m_services.settings;
    if (!isOn()) {
        RememberedGames::save(settings, {});
        return;
    }
    const QList<GameTab> open = GameOpener::openGames(m_tabs);
    RememberedGames::save(settings, open.isEmpty() ? m_remembered : open);
}
