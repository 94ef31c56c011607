#pragma once

#include <QPointer>

#include <utility>

class QString;
class QWidget;

// The client's dialogs: frameless, application-modal dialog windows that draw
// their own title strip. Their flags are set here and nowhere else.
class ToolWindow
{
public:
    static void setup(QWidget *window);


    // A window made on first use and kept for the next: the slot holds it
    // until its parent deletes it.
    template <class Window, class... Args>
    static Window *kept(QPointer<Window> &slot, Args &&...args)
    {
        if (!slot)
            slot = new Window(std::forward<Args>(args)...);
        return slot;
    }
};
