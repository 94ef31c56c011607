#pragma once

class QObject;
class TabWidget;

// How a toolbar or badge finds the tab manager it serves: the tab manager it
// sits in, or the one named "mainTabWidget" in its window. Shared objects are
// never found this way; they are handed in.
class WindowFinder
{
public:
    // Null without one.
    static TabWidget *tabWidget(const QObject *object);
};
