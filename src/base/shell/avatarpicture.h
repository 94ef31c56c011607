#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// An avatar as the portal sends it, read only when its size is sane: the
// size is read from the picture's header first, so a small file that claims
// a huge picture is refused before any pixel is decoded.
class AvatarPicture
{
public:
    enum class Result { Ok, Unreadable, TooLarge };

    // Largest width and height read; the badge shows 60 x 60.
    static QSize maxSize() { return QSize(2048, 2048); }

    static Result read(const QByteArray &data, QImage *image);
};
