#include "web/windowfinder.h"

#include "web/tabwidget.h"

#include <QWidget>

TabWidget *WindowFinder::tabWidget(const QObject *object)
{
    for (QObject *up = object ? object->parent() : nullptr; up; up = up->parent()) {
        if (auto *tabs = qobject_cast<TabWidget *>(up))
            return tabs;
    }
    const auto *widget = qobject_cast<const QWidget *>(object);
    QWidget *window = widget ? widget->window() : nullptr;
    return window ? window->findChild<TabWidget *>(QStringLiteral("mainTabWidget")) : nullptr;
}
