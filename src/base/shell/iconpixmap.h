#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// A picture of the icon folder shown at a fixed size in a label (the login
// logo, the dialogs' pictures), drawn for the screen's pixel ratio. Every
// NAME.png has a NAME@2x.png beside it; past 100 % the larger one is the
// source, so a scaled screen gets a sharp picture instead of a stretched one.
class IconPixmap
{
public:
    // The picture fitted into size (aspect kept) at ratio device pixels per
    // pixel; a null pixmap when the file cannot be read.
    static QPixmap load(const QString &file, const QSize &size, qreal ratio);
    // NAME@2x.png for NAME.png.
    static QString doubleSizeFile(const QString &file);
};
