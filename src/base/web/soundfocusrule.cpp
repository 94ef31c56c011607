#include "web/soundfocusrule.h"

bool SoundFocusRule::muted(const Tab &tab, bool silenced)
{
    if (silenced || tab.playerMuted)
        return true;
    // Ordinary pages are the player's to mute; focus only sorts the games.
    return tab.game && !tab.focused && !tab.pinned;
}
