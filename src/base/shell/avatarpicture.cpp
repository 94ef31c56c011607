#include "shell/avatarpicture.h"

#include <QBuffer>
#include <QImageReader>

AvatarPicture::Result AvatarPicture::read(const QByteArray &data, QImage *image)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return Result::Unreadable;
    if (size.width() > maxSize().width() || size.height() > maxSize().height())
        return Result::TooLarge;
    return reader.read(image) ? Result::Ok : Result::Unreadable;
}
