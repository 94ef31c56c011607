#pragma once

// Which game tabs are heard. Only the game the player last brought to the
// front plays; the others wait, silent, until they are brought to the front
// again, unless their sound is pinned on ("始终播放声音"). The player's own
// mute (the toolbar's sound button) and the boss key's silence lie on top:
// either mutes whatever the focus would let play.
class SoundFocusRule
{
public:
    struct Tab {
        bool game = false;
        bool focused = false;
        bool pinned = false;
        bool playerMuted = false;
    };

    static bool muted(const Tab &tab, bool silenced);
};
