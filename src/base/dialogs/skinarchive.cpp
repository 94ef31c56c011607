#include "dialogs/skinarchive.h"

#include "app/skinstyle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <minizip/unzip.h>

#include <memory>

namespace {
constexpr uLong kDirectoryAttribute = 16;
constexpr int kChunk = 4096;
const QString kInstallPrefix = QStringLiteral(".install-");

struct ZipCloser
{
    void operator()(void *zip) const { unzClose(zip); }
};
using Zip = std::unique_ptr<void, ZipCloser>;

bool hasUnsafeCharacter(const QString &name)
{
    for (const QChar c : name) {
        // A drive letter or a stream name needs ':', a Windows path '\\';
        // U+FFFD stands for bytes that were no UTF-8.
        if (c.unicode() < 0x20 || c == QLatin1Char(':') || c == QLatin1Char('\\') || c.unicode() == 0x7f
            || c.unicode() == 0xfffd)
            return true;
    }
    return false;
}

// Copies the open entry to path, counting the bytes as they inflate.
SkinArchive::Error copyEntry(unzFile zip, const QString &path, const SkinArchive::Limits &limits, qint64 *total)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return SkinArchive::Error::WriteFailed;
    char buffer[kChunk];
    qint64 written = 0;
    for (;;) {
        const int read = unzReadCurrentFile(zip, buffer, kChunk);
        if (read == 0)
            break;
        if (read < 0)
            return SkinArchive::Error::Corrupt;
        written += read;
        *total += read;
        if (written > limits.maxEntryBytes || *total > limits.maxTotalBytes)
            return SkinArchive::Error::TooLarge;
        if (out.write(buffer, read) != read)
            return SkinArchive::Error::WriteFailed;
    }
    return out.flush() ? SkinArchive::Error::None : SkinArchive::Error::WriteFailed;
}

SkinArchive::Error extractEntry(unzFile zip, const QString &destDir, const SkinArchive::Limits &limits,
                                qint64 *total)
{
    char name[SkinArchive::kNameBuffer] = {};
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK)
        return SkinArchive::Error::Unreadable;
    if (info.size_filename >= sizeof name)
        return SkinArchive::Error::NameTooLong;
    // A zero inside the name would make it read as another, shorter one.
    if (qstrlen(name) != info.size_filename)
        return SkinArchive::Error::BadName;
    const QString entry = QString::fromUtf8(name, int(info.size_filename));
    if (!SkinArchive::isSafeEntryName(entry))
        return SkinArchive::Error::BadName;
    if (info.uncompressed_size > quint64(limits.maxEntryBytes))
        return SkinArchive::Error::TooLarge;

    const QString path = destDir + entry;
    if (entry.endsWith(QLatin1Char('/')) || info.external_fa == kDirectoryAttribute)
        return QDir().mkpath(path) ? SkinArchive::Error::None : SkinArchive::Error::WriteFailed;
    if (!QDir().mkpath(QFileInfo(path).path()))
        return SkinArchive::Error::WriteFailed;
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        return SkinArchive::Error::Corrupt;
    SkinArchive::Error copied = copyEntry(zip, path, limits, total);
    // Closing checks the entry's check sum once all of it has been read.
    const int closed = unzCloseCurrentFile(zip);
    if (copied == SkinArchive::Error::None && closed != UNZ_OK)
        copied = SkinArchive::Error::Corrupt;
    return copied;
}

void removeStagingFolders(const QDir &themes)
{
    // Folders of installs that a crash or a kill interrupted.
    for (const QString &folder :
         themes.entryList({kInstallPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        QDir(themes.filePath(folder)).removeRecursively();
}

const QStringList kSkinFiles = {QStringLiteral("style.qss"), QStringLiteral("photo.jpg")};

// The skin's own two files, in a folder of their own beside the unpacked package.
SkinArchive::Error gatherSkinFiles(const QString &unpacked, const QString &skinDir)
{
    if (!SkinStyle::isUsableStyle(unpacked + QStringLiteral("/style.qss"))
        || !SkinStyle::isUsablePhoto(unpacked + QStringLiteral("/photo.jpg")))
        return SkinArchive::Error::Unfit;
    if (!QDir().mkpath(skinDir))
        return SkinArchive::Error::WriteFailed;
    for (const QString &file : kSkinFiles) {
        if (!QFile::rename(unpacked + QLatin1Char('/') + file, skinDir + QLatin1Char('/') + file))
            return SkinArchive::Error::MoveFailed;
    }
    return SkinArchive::Error::None;
}
}

SkinArchive::Limits SkinArchive::defaultLimits()
{
    // A skin is a style sheet and a picture: these leave ample room.
    return {1000, 16 * 1024 * 1024, 48 * 1024 * 1024};
}

QString SkinArchive::errorText(Error error)
{
    switch (error) {
    case Error::None: return QStringLiteral("none");
    case Error::Unreadable: return QStringLiteral("not a readable archive");
    case Error::BadName: return QStringLiteral("an entry name leaves the themes folder");
    case Error::NameTooLong: return QStringLiteral("an entry name is too long");
    case Error::TooManyEntries: return QStringLiteral("too many entries");
    case Error::TooLarge: return QStringLiteral("inflates past the size limit");
    case Error::Corrupt: return QStringLiteral("damaged entry data");
    case Error::WriteFailed: return QStringLiteral("cannot write the skin");
    case Error::Incomplete: return QStringLiteral("style.qss or photo.jpg missing");
    case Error::Unfit: return QStringLiteral("style.qss or photo.jpg unfit for a skin");
    case Error::MoveFailed: return QStringLiteral("cannot move the skin into place");
    }
    return QString();
}

bool SkinArchive::isSafeEntryName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || hasUnsafeCharacter(name))
        return false;
    QStringList parts = name.split(QLatin1Char('/'));
    // "blue/" names a directory: its last part is empty, no other may be.
    if (parts.last().isEmpty())
        parts.removeLast();
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return !parts.isEmpty();
}

SkinArchive::Error SkinArchive::extract(const QString &zipPath, const QString &destDir, const Limits &limits)
{
    QString dest = destDir;
    if (!dest.endsWith(QLatin1Char('/')))
        dest += QLatin1Char('/');
    Zip zip(unzOpen64(QFile::encodeName(zipPath).constData()));
    unz_global_info64 global;
    if (!zip || unzGetGlobalInfo64(zip.get(), &global) != UNZ_OK)
        return Error::Unreadable;
    if (global.number_entry > quint64(limits.maxEntries))
        return Error::TooManyEntries;
    if (!QDir().mkpath(dest))
        return Error::WriteFailed;
    if (global.number_entry == 0)
        return Error::None;
    qint64 total = 0;
    int entries = 0;
    for (int status = unzGoToFirstFile(zip.get()); status != UNZ_END_OF_LIST_OF_FILE;
         status = unzGoToNextFile(zip.get())) {
        if (status != UNZ_OK)
            return Error::Unreadable;
        // The count in the archive's directory may lie; the entries cannot.
        if (++entries > limits.maxEntries)
            return Error::TooManyEntries;
        const Error error = extractEntry(zip.get(), dest, limits, &total);
        if (error != Error::None)
            return error;
    }
    return Error::None;
}

SkinArchive::Error SkinArchive::install(const QString &zipPath, const QString &themesDir, const QString &name,
                                        const Limits &limits)
{
    const QString themes = QDir(themesDir).absolutePath() + QLatin1Char('/');
    if (!QDir().mkpath(themes))
        return Error::WriteFailed;
    removeStagingFolders(QDir(themes));
    QTemporaryDir staging(themes + kInstallPrefix + QStringLiteral("XXXXXX"));
    if (!staging.isValid())
        return Error::WriteFailed;
    const Error extracted = extract(zipPath, staging.path(), limits);
    if (extracted != Error::None)
        return extracted;
    const QString unpacked = staging.path() + QLatin1Char('/') + name;
    if (!isInstalled(unpacked))
        return Error::Incomplete;
    const QString skin = staging.path() + QStringLiteral("/.skin");
    const Error gathered = gatherSkinFiles(unpacked, skin);
    if (gathered != Error::None)
        return gathered;

    // The old folder goes into the staging folder, which takes it along when it is removed.
    const QString target = themes + name;
    const QString previous = staging.path() + QStringLiteral("/.previous");
    const bool hadOld = QFileInfo::exists(target);
    if (hadOld && !QDir().rename(target, previous))
        return Error::MoveFailed;
    if (!QDir().rename(skin, target)) {
        if (hadOld)
            QDir().rename(previous, target);
        return Error::MoveFailed;
    }
    return Error::None;
}

void SkinArchive::removeLeftovers(const QString &themesDir)
{
    const QDir themes(themesDir);
    removeStagingFolders(themes);
    // A package is removed once it is unpacked, whatever the outcome: one
    // still there was cut off by the end of the process.
    for (const QString &package : themes.entryList({QStringLiteral("*.zip")}, QDir::Files | QDir::Hidden))
        QFile::remove(themes.filePath(package));
}

bool SkinArchive::isInstalled(const QString &skinDir)
{
    return QFileInfo(skinDir + QStringLiteral("/style.qss")).isFile()
        && QFileInfo(skinDir + QStringLiteral("/photo.jpg")).isFile();
}
