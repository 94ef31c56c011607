#pragma once

class Settings;

// Whether the returning sessions and the game shortcuts are on: "yes" or
// "no" under "extras/restoregames" and "extras/shortcuts"; absent means on.
class SessionExtras
{
public:
    static bool restoreGamesOn(const Settings *settings);
    static bool shortcutsOn(const Settings *settings);

private:
    static bool isOn(const Settings *settings, const char *key);
};
