#include "shell/screenplacement.h"

#include <QtGlobal>

bool ScreenPlacement::clientPlacesWindows(const QString &platformName)
{
    return !platformName.startsWith(QLatin1String("wayland"));
}

bool ScreenPlacement::clientActivatesWindows(const QString &platformName)
{
    return !platformName.startsWith(QLatin1String("wayland"));
}

namespace {
qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// One axis: the start that keeps [start, start + length) inside [low, low + room).
int clampedStart(int start, int length, int low, int room)
{
    return qBound(low, start, low + qMax(0, room - length));
}
}

QRect ScreenPlacement::keptOnScreens(const QRect &geometry, const QList<QRect> &screens)
{
    if (screens.isEmpty() || !geometry.isValid())
        return geometry;
    QRect best = screens.first();
    for (const QRect &screen : screens) {
        if (overlap(geometry, screen) > overlap(geometry, best))
            best = screen;
    }
    const int width = qMin(geometry.width(), best.width());
    const int height = qMin(geometry.height(), best.height());
    return QRect(clampedStart(geometry.x(), width, best.x(), best.width()),
                 clampedStart(geometry.y(), height, best.y(), best.height()), width, height);
}
