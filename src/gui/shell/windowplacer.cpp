#include "shell/windowplacer.h"

#include "shell/screenplacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QWidget>

WindowPlacer::WindowPlacer(QObject *parent)
    : QObject(parent)
{
}

QPoint WindowPlacer::centeredPosition(const QRect &owner, const QSize &size)
{
    return owner.center() - QPoint(size.width() / 2, size.height() / 2);
}

bool WindowPlacer::eventFilter(QObject *watched, QEvent *event)
{
    // Where the compositor places windows, it centres a dialog over the window it is transient for.
    if (event->type() == QEvent::Show && watched->isWidgetType()
        && ScreenPlacement::clientPlacesWindows(QGuiApplication::platformName())) {
        auto *widget = static_cast<QWidget *>(watched);
        QWidget *owner = widget->parentWidget() ? widget->parentWidget()->window() : nullptr;
        const Qt::WindowType type = widget->windowType();
        if (widget->isWindow() && (type == Qt::Tool || type == Qt::Dialog) && owner && owner->isVisible())
            widget->move(centeredPosition(owner->frameGeometry(), widget->size()));
    }
    return QObject::eventFilter(watched, event);
}
