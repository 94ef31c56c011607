#include "app/toolwindow.h"

#include "app/dialogkeys.h"

#include <QWidget>

void ToolWindow::setup(QWidget *window)
{
    // A dialog the window manager knows: transient for the window that
    // opened it (its parent), so that it stays above it, is placed over it
    // and gets the keyboard. Bypassing the manager made an X11 window that
    // never got the focus, and Wayland ignores the hint and opens a free
    // window wherever the compositor likes.
    window->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint);
    window->setWindowModality(Qt::ApplicationModal);
    new DialogKeys(window);
}
