#include "app/label.h"

#include <QMouseEvent>

Label::Label(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit signalClicked();
    QLabel::mouseReleaseEvent(event);
}
