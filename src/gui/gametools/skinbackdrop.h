#pragma once

class QString;
class QWidget;

// The skin's picture at the top-right corner of a window, as the main window
// shows it; nothing without a skin.
class SkinBackdrop
{
public:
    static void paint(QWidget *window, const QString &skinDirectory);
};
