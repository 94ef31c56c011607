#pragma once

#include "web/tabcontext.h"

#include <QList>

// Where the panes of the split view go: one fills it, two stand side by side,
// three and four share a 2×2 grid (the third of three across the foot). Only
// games join, up to four.
class SplitLayout
{
public:
    static constexpr int maxPanes = 4;

    struct Cell
    {
        int row = 0;
        int column = 0;
        int rowSpan = 1;
        int columnSpan = 1;
        bool operator==(const Cell &other) const
        {
            return row == other.row && column == other.column && rowSpan == other.rowSpan
                && columnSpan == other.columnSpan;
        }
    };

    // The cells of count panes, in pane order; none outside 1..maxPanes.
    static QList<Cell> cells(int count);
    // Whether a tab of that kind may join a split that has that many panes.
    static bool mayJoin(TabContext::Kind kind, int paneCount);
};
