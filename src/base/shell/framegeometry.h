#pragma once

#include <QPoint>
#include <Qt>
#include <QRect>
#include <QSize>

// The rules of moving and resizing a window that draws its own frame: which
// edges a cursor is over, and where a dragged edge may go. No window needed.
class FrameGeometry
{
public:
    enum Edge { EdgeNone = 0, EdgeTop = 1, EdgeBottom = 2, EdgeLeft = 4, EdgeRight = 8 };

    // Which edges a cursor at pos (global) is over, for a frame geometry.
    static int edgesAt(const QRect &frame, const QPoint &pos, int border);
    // The geometry after dragging the given edges to the cursor, kept within the size limits.
    static QRect resizedGeometry(const QRect &frame, int edges, const QPoint &cursor, const QSize &minimum,
                                 const QSize &maximum);
    // The cursor that shows which edges a drag would move.
    static Qt::CursorShape cursorFor(int edges);
};
