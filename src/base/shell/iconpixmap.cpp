#include "shell/iconpixmap.h"

#include <QFileInfo>

QPixmap IconPixmap::load(const QString &file, const QSize &size, qreal ratio)
{
    if (!(ratio > 0) || size.isEmpty())
        return QPixmap();
    const QString larger = doubleSizeFile(file);
    const bool useLarger = ratio > 1 && !larger.isEmpty() && QFileInfo::exists(larger);
    const QPixmap source(useLarger ? larger : file);
    if (source.isNull())
        return QPixmap();
    QPixmap fitted = source.scaled(size * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(ratio);
    return fitted;
}

QString IconPixmap::doubleSizeFile(const QString &file)
{
    const QFileInfo info(file);
    if (info.suffix().isEmpty() || info.completeBaseName().endsWith(QLatin1String("@2x")))
        return QString();
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1String("@2x.") + info.suffix();
}
