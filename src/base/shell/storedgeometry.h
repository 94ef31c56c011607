#pragma once

#include <QList>
#include <QRect>
#include <QString>

// A window's geometry as the settings keep it ("x,y,width,height"), and the
// geometry the window starts with from what was kept. The settings file is
// the user's to edit, so any text may come back. No window needed.
class StoredGeometry
{
public:
    static QString text(const QRect &geometry);
    // An invalid rectangle for anything but four whole numbers with a positive size.
    static QRect parse(const QString &text);
    // The kept geometry grown to the minimum size and brought onto the screens
    // (available areas, the primary first); without one, the default size
    // centred on the primary screen.
    static QRect startGeometry(const QString &stored, const QList<QRect> &screens, const QSize &defaultSize,
                               const QSize &minimum);
};
