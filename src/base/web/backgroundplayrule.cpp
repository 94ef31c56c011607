#include "web/backgroundplayrule.h"

BackgroundPlayRule::TabKind BackgroundPlayRule::kindOf(const QString &containerName, const QString &serverId)
{
    if (containerName == QLatin1String("homeMainWidget"))
        return TabKind::Home;
    if (containerName == QLatin1String("h5ToolBar"))
        return TabKind::H5Game;
    // The split view shows games being played, and nothing else.
    if (containerName == QLatin1String("splitViewTab"))
        return TabKind::GamePlay;
    // A server list and a server being played share their container; only the latter names a server.
    if (containerName == QLatin1String("webtabHost"))
        return serverId.isEmpty() ? TabKind::WebGame : TabKind::GamePlay;
    return TabKind::Page;
}

bool BackgroundPlayRule::isGame(TabKind kind)
{
    return kind == TabKind::WebGame || kind == TabKind::H5Game || kind == TabKind::GamePlay;
}

bool BackgroundPlayRule::keepsRunning(TabKind kind, bool settingOn, Choice choice)
{
    if (!isGame(kind))
        return false;
    if (choice == Choice::Setting)
        return settingOn;
    return choice == Choice::KeepRunning;
}
