#pragma once

#include <QString>

class Settings;

// The optional additions the user can turn off in the settings dialog. Each
// has its own key in "velmorbox.ini" with the value "yes" or "no"; an absent
// key (or any other value) means on, so older files enable them all.
class Extras
{
public:
    enum Feature {
        CrashReload,   // a crashed tab shows a notice and reloads itself
        BossMute,      // hiding with the boss key mutes every page
        Resources,     // memory in tool tips, the resource window, freezing idle pages
        RestoreGames,  // offering the game tabs of the last session again
        Shortcuts,     // desktop shortcuts to a game as an account
        BackgroundPlay, // games in background tabs and out of sight keep running
    };
    static constexpr int FeatureCount = BackgroundPlay + 1;

    static QString key(Feature feature);
    static bool enabled(const Settings *settings, Feature feature);
    static void setEnabled(Settings *settings, Feature feature, bool on);
};
