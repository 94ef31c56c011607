#include "skinphoto.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

void SkinPhoto::paint(QWidget *window, const QString &skinDir)
{
    if (skinDir.isEmpty())
        return;
    const QPixmap picture(skinDir + QStringLiteral("photo.jpg"));
    if (picture.isNull())
        return;
    QPainter painter(window);
    // A picture wider than the window starts at its left edge.
    painter.drawPixmap(qMax(0, window->width() - picture.width()), 0, picture);
}
