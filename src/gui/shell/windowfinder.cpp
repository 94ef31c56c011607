#include "shell/windowfinder.h"

#include "shell/mainframe.h"
#include "web/tabwidget.h"

#include <QWidget>

MainFrame *WindowFinder::mainFrame(const QObject *object)
{
    for (QObject *up = object ? object->parent() : nullptr; up; up = up->parent()) {
        if (auto *frame = qobject_cast<MainFrame *>(up))
            return frame;
    }
    return nullptr;
}

TabWidget *WindowFinder::tabWidget(const QObject *object)
{
    for (QObject *up = object ? object->parent() : nullptr; up; up = up->parent()) {
        if (auto *tabs = qobject_cast<TabWidget *>(up))
            return tabs;
        if (auto *frame = qobject_cast<MainFrame *>(up))
            return frame->tabWidget();
    }
    const auto *widget = qobject_cast<const QWidget *>(object);
    QWidget *window = widget ? widget->window() : nullptr;
    return window ? window->findChild<TabWidget *>(QStringLiteral("mainTabWidget")) : nullptr;
}
