#include "web/splitlayout.h"

QList<SplitLayout::Cell> SplitLayout::cells(int count)
{
    switch (count) {
    case 1:
        return {Cell{0, 0, 1, 1}};
    case 2:
        return {Cell{0, 0, 1, 1}, Cell{0, 1, 1, 1}};
    case 3:
        return {Cell{0, 0, 1, 1}, Cell{0, 1, 1, 1}, Cell{1, 0, 1, 2}};
    case 4:
        return {Cell{0, 0, 1, 1}, Cell{0, 1, 1, 1}, Cell{1, 0, 1, 1}, Cell{1, 1, 1, 1}};
    default:
        return {};
    }
}

bool SplitLayout::mayJoin(TabContext::Kind kind, int paneCount)
{
    const bool game = kind == TabContext::WebGame || kind == TabContext::H5Game || kind == TabContext::GamePlay;
    return game && paneCount >= 0 && paneCount < maxPanes;
}
