#pragma once

#include <QString>
#include <QStringList>

// The web engine's data folder, cacheData/, one folder per profile. Walking
// and emptying it touches every file: callers run these off the GUI thread.
class CacheDirectory
{
public:
    static QString path();

    // Bytes of all files below dir, hidden ones included; symbolic links are
    // neither counted nor followed. A sparse file counts with its full size.
    static qint64 size(const QString &dir);

    // Empties every profile folder of cacheDir whose name is not in
    // keptFolders; the folders themselves and plain files beside them stay.
    static void emptyProfilesExcept(const QString &cacheDir, const QStringList &keptFolders);

    // Deletes the HTTP cache entries of a profile that is in use, leaving its
    // index and everything else of the profile where they are.
    static void emptyHttpCache(const QString &profileFolder);

    // Deletes what dir holds, as far as it can; dir itself stays.
    static void emptyFolder(const QString &dir);

    // Mebibytes with two decimals and "M": "1.50M".
    static QString sizeText(qint64 bytes);
};
