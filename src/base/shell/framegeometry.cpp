#include "shell/framegeometry.h"

#include <QtGlobal>

int FrameGeometry::edgesAt(const QRect &frame, const QPoint &pos, int border)
{
    int edges = EdgeNone;
    if (qAbs(pos.y() - frame.top()) < border)
        edges |= EdgeTop;
    else if (qAbs(pos.y() - frame.bottom()) < border)
        edges |= EdgeBottom;
    if (qAbs(pos.x() - frame.left()) < border)
        edges |= EdgeLeft;
    else if (qAbs(pos.x() - frame.right()) < border)
        edges |= EdgeRight;
    return edges;
}

QRect FrameGeometry::resizedGeometry(const QRect &frame, int edges, const QPoint &cursor, const QSize &minimum,
                                     const QSize &maximum)
{
    int top = frame.top(), bottom = frame.bottom(), left = frame.left(), right = frame.right();
    // At a size limit an edge only follows the cursor in the direction that leaves the limit.
    auto follow = [](int &edge, int target, int size, int min, int max, bool growsWhenLess) {
        const bool grows = growsWhenLess ? target < edge : target > edge;
        if ((size <= min && !grows) || (size >= max && grows))
            return;
        edge = target;
    };
    if (edges & EdgeTop)
        follow(top, cursor.y(), frame.height(), minimum.height(), maximum.height(), true);
    else if (edges & EdgeBottom)
        follow(bottom, cursor.y(), frame.height(), minimum.height(), maximum.height(), false);
    if (edges & EdgeLeft)
        follow(left, cursor.x(), frame.width(), minimum.width(), maximum.width(), true);
    else if (edges & EdgeRight)
        follow(right, cursor.x(), frame.width(), minimum.width(), maximum.width(), false);
    QRect result(QPoint(left, top), QPoint(right, bottom));
    // A large jump of the cursor could still cross the limit; keep the far edge fixed.
    if (result.width() < minimum.width()) {
        if (edges & EdgeLeft) result.setLeft(result.right() - minimum.width() + 1);
        else result.setWidth(minimum.width());
    }
    if (result.height() < minimum.height()) {
        if (edges & EdgeTop) result.setTop(result.bottom() - minimum.height() + 1);
        else result.setHeight(minimum.height());
    }
    return result;
}

Qt::CursorShape FrameGeometry::cursorFor(int edges)
{
    switch (edges) {
    case EdgeTop | EdgeLeft:
    case EdgeBottom | EdgeRight:
        return Qt::SizeFDiagCursor;
    case EdgeTop | EdgeRight:
    case EdgeBottom | EdgeLeft:
        return Qt::SizeBDiagCursor;
    case EdgeTop:
    case EdgeBottom:
        return Qt::SizeVerCursor;
    case EdgeLeft:
    case EdgeRight:
        return Qt::SizeHorCursor;
    default:
        return Qt::ArrowCursor;
    }
}
