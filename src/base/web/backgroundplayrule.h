#pragma once

#include <QString>

// Whether a tab keeps running while another tab is in front of it or the
// window is out of sight. Games do, unless the player let background games
// sleep ("extras/backgroundplay") or chose otherwise for that one tab; the
// home tab and ordinary pages sleep as any browser lets them.
class BackgroundPlayRule
{
public:
    enum class TabKind { Home, Page, WebGame, H5Game, GamePlay };
    // What the tab's own menu says: nothing (the setting decides), or keep it running, or let it sleep.
    enum class Choice { Setting, KeepRunning, Sleep };

    // The kind by the tab container's object name and the server it plays.
    static TabKind kindOf(const QString &containerName, const QString &serverId);
    static bool isGame(TabKind kind);
    static bool keepsRunning(TabKind kind, bool settingOn, Choice choice);
};
