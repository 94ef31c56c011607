#include "dialogs/skinphoto.h"

#include "app/skinstyle.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

void SkinPhoto::paint(QWidget *window, const QString &skinDir)
{
    if (skinDir.isEmpty())
        return;
    const QString path = skinDir + QStringLiteral("photo.jpg");
    // Measured from its header first: a picture past the limit is never decoded.
    if (!SkinStyle::isUsablePhoto(path))
        return;
    const QPixmap picture(path);
    if (picture.isNull())
        return;
    QPainter painter(window);
    // A picture wider than the window starts at its left edge.
    painter.drawPixmap(qMax(0, window->width() - picture.width()), 0, picture);
}
