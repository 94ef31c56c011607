#pragma once

#include <QString>

// Skin packages are archives from the network: every entry is checked before
// a byte is written, the bytes actually inflated are counted, and a package
// is unpacked into a temporary folder and moved into place whole, so that a
// refused, failed or killed install leaves the installed skins as they were.
class SkinArchive
{
public:
    struct Limits
    {
        int maxEntries;
        qint64 maxEntryBytes;   // inflated, per entry
        qint64 maxTotalBytes;   // inflated, the whole package
    };
    static Limits defaultLimits();

    enum class Error {
        None,
        Unreadable,       // not an archive, or its directory is damaged
        BadName,          // absolute, drive letter, backslash, "..", control characters
        NameTooLong,      // longer than the name buffer
        TooManyEntries,
        TooLarge,         // an entry or the whole package inflates past its limit
        Corrupt,          // an entry's data does not inflate or fails its check sum
        WriteFailed,
        Incomplete,       // no <name>/style.qss and <name>/photo.jpg in the package
        Unfit,            // the sheet or the picture past the skin limits, or no picture
        MoveFailed,
    };
    static QString errorText(Error error);

    // The longest entry name the reader takes: its name buffer less the
    // terminating zero. Longer names are refused, never cut short.
    static constexpr int kNameBuffer = 256;

    // Whether an entry name stays below the folder it is unpacked into.
    static bool isSafeEntryName(const QString &name);

    // Unpacks every entry below destDir (created as needed).
    static Error extract(const QString &zipPath, const QString &destDir, const Limits &limits);

    // Unpacks the package into a temporary folder of themesDir and moves the
    // skin's two files, style.qss and photo.jpg, into place as a new folder
    // themesDir/<name>, replacing an old one. Whatever else the package holds
    // is left behind; files past the skin limits are refused (Unfit).
    static Error install(const QString &zipPath, const QString &themesDir, const QString &name,
                         const Limits &limits);

    // Both files a skin needs are there.
    static bool isInstalled(const QString &skinDir);

    // What an interrupted install leaves in themesDir: unpacking folders and
    // downloaded packages. Removed at start, before any install can run.
    static void removeLeftovers(const QString &themesDir);
};
