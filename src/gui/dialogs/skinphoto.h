#pragma once

#include <QString>

class QWidget;

// The header picture of a non-default skin, drawn in a window's top-right corner.
class SkinPhoto
{
public:
    // Paints skinDir + "photo.jpg" at its own size; nothing for an empty
    // folder (the default skin). Call from the window's paintEvent.
    static void paint(QWidget *window, const QString &skinDir);
};
