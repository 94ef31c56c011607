#pragma once

#include <QString>

// How wide the tab strip in the title bar is, and its tabs. The strip gets
// room for as many 150-pixel tabs as the window has beside its title
// buttons; once more are open, every tab gets narrower instead of the strip
// scrolling, so "游戏中心" stays in sight and a new tab moves the others by a
// little, not by whole tabs as scrolling did.
class TabStripWidth
{
public:
    // A tab at full width, its margin included.
    static constexpr int tabPitch = 150;
    // What the shared style sheet adds to a tab's width: 10 px of padding on
    // each side and a 2 px margin.
    static constexpr int tabChrome = 22;
    // The narrowest tab text; past this the strip scrolls after all.
    static constexpr int minTabWidth = 24;

    // The strip's width for count tabs in a tab manager of managerWidth.
    static int barWidth(int managerWidth, int count);
    // The width of each tab's text; 0 while the tabs keep the width of the
    // style sheet.
    static int tabWidth(int managerWidth, int count);
    // Both, as the tab manager's own style sheet.
    static QString styleSheet(int managerWidth, int count);

private:
    static int fitting(int managerWidth);
};
