#include "shell/storedgeometry.h"

#include "shell/screenplacement.h"

#include <QStringList>

QString StoredGeometry::text(const QRect &geometry)
{
    return QStringLiteral("%1,%2,%3,%4").arg(geometry.x()).arg(geometry.y()).arg(geometry.width()).arg(
        geometry.height());
}

QRect StoredGeometry::parse(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return QRect();
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts.at(i).trimmed().toInt(&ok);
        // Far beyond any screen: a damaged value, and it would overflow the arithmetic.
        if (!ok || qAbs(numbers[i]) > 100000)
            return QRect();
    }
    if (numbers[2] <= 0 || numbers[3] <= 0)
        return QRect();
    return QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
}

QRect StoredGeometry::startGeometry(const QString &stored, const QList<QRect> &screens, const QSize &defaultSize,
                                    const QSize &minimum)
{
    QRect geometry = parse(stored);
    if (!geometry.isValid()) {
        const QRect primary = screens.isEmpty() ? QRect(QPoint(0, 0), defaultSize) : screens.first();
        geometry = QRect(QPoint(0, 0), defaultSize);
        geometry.moveCenter(primary.center());
    }
    geometry.setSize(geometry.size().expandedTo(minimum));
    return ScreenPlacement::keptOnScreens(geometry, screens);
}
