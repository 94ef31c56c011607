#pragma once

class MainFrame;
class QObject;
class TabWidget;

// How the client's toolbars, dialogs and badges reach the main window and the
// tab manager: one way, here, instead of each widget searching by itself.
class WindowFinder
{
public:
    // The main window among the object's ancestors, or null.
    static MainFrame *mainFrame(const QObject *object);
    // The tab manager the object belongs to: an ancestor, the main window's,
    // or the one named "mainTabWidget" in the object's window; null without one.
    static TabWidget *tabWidget(const QObject *object);
};
