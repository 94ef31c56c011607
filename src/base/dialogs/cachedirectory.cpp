#include "dialogs/cachedirectory.h"

#include "app/apppaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr QDir::Filters kEverything = QDir::Dirs | QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
}

QString CacheDirectory::path()
{
    return AppPaths::dataFilePath(QStringLiteral("cacheData"));
}

qint64 CacheDirectory::size(const QString &dir)
{
    qint64 total = 0;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}

void CacheDirectory::emptyProfilesExcept(const QString &cacheDir, const QStringList &keptFolders)
{
    const QFileInfoList entries = QDir(cacheDir).entryInfoList(kEverything);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir() && !entry.isSymLink() && !keptFolders.contains(entry.fileName()))
            emptyFolder(entry.filePath());
    }
}

void CacheDirectory::emptyHttpCache(const QString &profileFolder)
{
    const QFileInfoList entries =
        QDir(profileFolder + QStringLiteral("/Cache")).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    // An entry the index still names is a miss and comes from the network again.
    for (const QFileInfo &entry : entries) {
        if (entry.fileName() != QLatin1String("index"))
            QFile::remove(entry.filePath());
    }
}

void CacheDirectory::emptyFolder(const QString &dir)
{
    const QFileInfoList entries = QDir(dir).entryInfoList(kEverything);
    for (const QFileInfo &entry : entries) {
        // A link is removed as the link it is; what it points at is not ours.
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

QString CacheDirectory::sizeText(qint64 bytes)
{
    return QString::number(double(bytes) / 1024.0 / 1024.0, 'f', 2) + QLatin1Char('M');
}
