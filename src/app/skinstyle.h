#pragma once

#include <QString>

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
    // common.qss followed by the skin's style.qss.
    static QString styleSheetFor(const QString &skinName);
};
