#include "gametools/skinbackdrop.h"

#include "shell/mainframe.h"
#include "shell/windowfinder.h"

#include <QPainter>
#include <QPixmap>

void SkinBackdrop::paint(QWidget *window)
{
    const MainFrame *frame = WindowFinder::mainFrame(window);
    if (!frame || frame->skinDirectory().isEmpty())
        return;
    const QPixmap picture(frame->skinDirectory() + QStringLiteral("photo.jpg"));
    if (picture.isNull())
        return;
    QPainter painter(window);
    const int x = window->width() >= picture.width() ? window->width() - picture.width() : 0;
    painter.drawPixmap(x, 0, picture);
}
