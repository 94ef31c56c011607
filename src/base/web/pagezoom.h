#pragma once

#include <QString>

class Settings;

// Page zoom in the steps people know from browsers, remembered per game host
// in the settings ("zoom/<host>"), so that a game opens at the size it was
// left at. Only what the user chose is stored; 100 % removes the key.
class PageZoom
{
public:
    static constexpr double minimum = 0.25;
    static constexpr double maximum = 5.0;

    // The next step up (direction > 0) or down from factor; factor itself at either end.
    static double step(double factor, int direction);
    // The stored factor of host, 1 when none or an unusable value is stored.
    static double stored(const Settings *settings, const QString &host);
    static void store(Settings *settings, const QString &host, double factor);
    static QString key(const QString &host);
};
