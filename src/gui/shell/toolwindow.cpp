#include "shell/toolwindow.h"

#include <QWidget>

void ToolWindow::setup(QWidget *window)
{
    // Bypassing the window manager keeps a frameless dialog where the client
    // places it (centred over its owner), whatever the desktop does.
    window->setWindowFlags(Qt::Tool | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint
                           | Qt::WindowSystemMenuHint);
    window->setWindowModality(Qt::ApplicationModal);
}

