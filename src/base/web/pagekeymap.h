#pragma once

#include <QKeySequence>
#include <QList>

// The keys that work in every page of the client, and what each does. The
// table is the one place that says so: the window makes its shortcuts from it.
class PageKeyMap
{
public:
    enum class Action { None, Reload, Find, ZoomIn, ZoomOut, ZoomReset, FullScreen, CloseTab, NextTab, PreviousTab };

    struct Entry {
        QKeySequence keys;
        Action action;
    };

    static const QList<Entry> &table();
    // What a key press does in a page; Action::None for a key that belongs to the page.
    static Action action(const QKeySequence &keys);
};
