#pragma once

#include <QString>
#include <QtGlobal>

class QUrl;

// The style of a skin: the shared sheet followed by the skin's own. The
// default skin's sheet lives in style/Korvo; any other in themes/<name>/.
class SkinStyle
{
public:
    // The default skin, also for a name that is no skin name at all.
    static bool isDefault(const QString &skinName);
    // A name that can only be a folder right below themes/: letters, digits,
    // "_" and "-". Names come from package addresses and the ini file.
    static bool isSafeName(const QString &skinName);
    // The skin a package address names: its file name without ".zip";
    // empty when that is no safe skin name.
    static QString nameFromPackageUrl(const QUrl &url);
    // Where installed skins live; the client writes there, so it is in the
    // data directory (the application directory while that is writable).
    static QString themesDirectory();
    // themes/<name>/; empty for the default skin.
    static QString directoryFor(const QString &skinName);
    // common.qss followed by the skin's style.qss; a skin sheet past its size
    // limit counts as empty, and its file references are confined.
    static QString styleSheetFor(const QString &skinName);

    // A downloaded skin is a sheet and a header picture of bounded size; the
    // picture's pixels are read from its header, before anything is decoded.
    // A skin's sheet is a few KiB; setting one of the limit's size on the
    // application takes the GUI thread some 60 ms, and 25 at each later start.
    static constexpr qint64 maxStyleBytes = 64 * 1024;
    static constexpr qint64 maxPhotoBytes = 4 * 1024 * 1024;
    static constexpr int maxPhotoSide = 4096;
    static constexpr qint64 maxPhotoPixels = 4096 * 1024;
    static bool isUsableStyle(const QString &path);
    static bool isUsablePhoto(const QString &path);

    // The sheet with every url() made to name a file inside skinDir (which
    // ends in "/"): a relative name below it becomes its absolute path, any
    // other reference "none". A sheet with escapes, or a url() that does not
    // close, is refused whole: the result is empty.
    static QString confinedSheet(const QString &sheet, const QString &skinDir);
};
