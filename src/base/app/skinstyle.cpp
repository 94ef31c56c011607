#include "app/skinstyle.h"

#include "app/apppaths.h"

#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

namespace {
constexpr int kMaxNameLength = 64;

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

// A relative file name below the skin folder: plain characters, no "..".
bool staysInside(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')))
        return false;
    for (const QChar c : name) {
        const bool plain = c.unicode() < 0x80
            && (c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('_') || c == QLatin1Char('-')
                || c == QLatin1Char('/'));
        if (!plain)
            return false;
    }
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

// The argument of a url() starting at from, and where the url() ends; -1
// when it does not close.
int urlArgument(const QString &sheet, int from, QString *argument)
{
    int i = from;
    while (i < sheet.size() && sheet.at(i).isSpace())
        ++i;
    if (i < sheet.size() && isQuote(sheet.at(i))) {
        const int close = sheet.indexOf(sheet.at(i), i + 1);
        if (close < 0)
            return -1;
        *argument = sheet.mid(i + 1, close - i - 1);
        i = close + 1;
    } else {
        const int close = sheet.indexOf(QLatin1Char(')'), i);
        if (close < 0)
            return -1;
        *argument = sheet.mid(i, close - i).trimmed();
        i = close;
    }
    while (i < sheet.size() && sheet.at(i).isSpace())
        ++i;
    return i < sheet.size() && sheet.at(i) == QLatin1Char(')') ? i + 1 : -1;
}
}

bool SkinStyle::isDefault(const QString &skinName)
{
    return skinName.isEmpty() || skinName == QLatin1String("default") || !isSafeName(skinName);
}

bool SkinStyle::isSafeName(const QString &skinName)
{
    if (skinName.isEmpty() || skinName.size() > kMaxNameLength)
        return false;
    for (const QChar c : skinName) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('_') && c != QLatin1Char('-'))
            return false;
    }
    return true;
}

QString SkinStyle::nameFromPackageUrl(const QUrl &url)
{
    const QString fileName = url.fileName(QUrl::FullyDecoded);
    if (!fileName.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
        return QString();
    const QString name = fileName.chopped(4);
    return isSafeName(name) ? name : QString();
}

QString SkinStyle::themesDirectory()
{
    return AppPaths::themesDir();
}

QString SkinStyle::directoryFor(const QString &skinName)
{
    if (isDefault(skinName))
        return QString();
    return themesDirectory() + skinName + QLatin1Char('/');
}

QString SkinStyle::styleSheetFor(const QString &skinName)
{
    const QString common = AppPaths::readStyleSheet(AppPaths::stylePath(QStringLiteral("common.qss")));
    if (isDefault(skinName))
        return common + AppPaths::readStyleSheet(AppPaths::stylePath(QStringLiteral("style.qss")));
    const QString dir = directoryFor(skinName);
    const QString path = dir + QStringLiteral("style.qss");
    if (!isUsableStyle(path))
        return common;
    return common + confinedSheet(AppPaths::readStyleSheet(path, false), dir);
}

bool SkinStyle::isUsableStyle(const QString &path)
{
    const QFileInfo file(path);
    return file.isFile() && file.size() <= maxStyleBytes;
}

bool SkinStyle::isUsablePhoto(const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile() || file.size() > maxPhotoBytes)
        return false;
    const QSize size = QImageReader(path).size();
    return size.isValid() && size.width() <= maxPhotoSide && size.height() <= maxPhotoSide
        && qint64(size.width()) * size.height() <= maxPhotoPixels;
}

QString SkinStyle::confinedSheet(const QString &sheet, const QString &skinDir)
{
    // Escapes could spell "url(" or a path in ways a plain scan does not see.
    if (sheet.contains(QLatin1Char('\\')))
        return QString();
    QString out;
    int done = 0;
    for (;;) {
        const int at = sheet.indexOf(QLatin1String("url("), done, Qt::CaseInsensitive);
        if (at < 0)
            break;
        QString argument;
        const int end = urlArgument(sheet, at + 4, &argument);
        if (end < 0)
            return QString();
        out += sheet.midRef(done, at - done);
        out += staysInside(argument) ? QStringLiteral("url(\"%1\")").arg(skinDir + argument) : QStringLiteral("none");
        done = end;
    }
    out += sheet.midRef(done);
    return out;
}
