#pragma once

#include <QString>

// Where the client keeps its files: the directory of the executable, unless a
// test or the environment (KORVO_APP_DIR) points it elsewhere. Every path of
// the client (ini file, database, key file, cacheData, themes, style, icons)
// is built here, so that tests never share files.
//
// What the client writes (the ini file, the database, the rules file and
// cacheData) lives in the data directory: the application directory while the
// user can write to it, else the user's own data directory
// ($XDG_DATA_HOME/<application>, default ~/.local/share/<application>), made
// private. An installed program (its installed data directory beside it) never
// writes beside itself, even where it could, as root in /usr/bin. The choice is
// made once per application directory.
//
// What the client only reads (style sheets, icons, the favicon, the public
// key) is found beside the executable, else in the installed data directory
// (<prefix>/share/korvo-gamebox, found from <prefix>/bin).
class AppPaths
{
public:
    static QString appDir();
    static void setAppDir(const QString &dir);

    // appDir() + "/" + relative
    static QString filePath(const QString &relative);

    static QString dataDir();
    // dataDir() + "/" + relative
    static QString dataFilePath(const QString &relative);

    // The installed data directory that belongs to the application directory.
    static QString installedDataDir();
    // Whether the application directory is an installed program's.
    static bool isInstalled();
    // A read-only asset: appDir() + "/" + relative when it is there, else the
    // installed one when that is there, else the path beside the executable.
    static QString assetPath(const QString &relative);
    // The installed skins, "themes/" in the data directory.
    static QString themesDir();
    // The name of the installed desktop entry and icon.
    static QString applicationId();

    static QString brand();          // "Korvo"
    static QString clientVersion();  // "1.5.1.4"

    static QString iconPath(const QString &fileName);   // <assets>/icons_Korvo/<file>
    static QString stylePath(const QString &fileName);  // <assets>/style/Korvo/<file>
    static QString faviconPath();                       // <assets>/favicons/favicon_Korvo.png

    // Reads a style sheet; relative "icons_Korvo" references become absolute so
    // that the sheet works whatever the working directory. A missing file
    // gives an empty text.
    static QString readStyleSheet(const QString &path, bool absoluteIcons = true);

private:
    static QString &overrideDir();
    static bool isWritableDir(const QString &dir);
    static QString userDataDir();
};
