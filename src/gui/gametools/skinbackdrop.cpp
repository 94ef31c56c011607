#include "gametools/skinbackdrop.h"


#include <QPainter>
#include <QPixmap>
#include <QWidget>

void SkinBackdrop::paint(QWidget *window, const QString &skinDirectory)
{
    if (skinDirectory.isEmpty())
        return;
    const QPixmap picture(skinDirectory + QStringLiteral("photo.jpg"));
    if (picture.isNull())
        return;
    QPainter painter(window);
    const int x = window->width() >= picture.width() ? window->width() - picture.width() : 0;
    painter.drawPixmap(x, 0, picture);
}
