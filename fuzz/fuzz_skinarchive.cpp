// Any bytes as a downloaded skin package, installed into an empty themes
// folder: nothing may be written beside it, and what stays in it is the
// whole skin or nothing.
#include "dialogs/skinarchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {
// Small limits keep each run quick; the checks are the same at any size.
const SkinArchive::Limits kLimits{64, 256 * 1024, 1024 * 1024};

QStringList entriesOf(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir download;
    const QString package = download.filePath(QStringLiteral("skin.zip"));
    {
        QFile file(package);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            __builtin_trap();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    QTemporaryDir root;
    const QString themes = root.filePath(QStringLiteral("themes"));
    const SkinArchive::Error error = SkinArchive::install(package, themes, QStringLiteral("blue"), kLimits);

    if (entriesOf(root.path()) != QStringList{QStringLiteral("themes")})
        __builtin_trap();  // something was written outside themes/
    const QStringList left = entriesOf(themes);
    if (error == SkinArchive::Error::None) {
        if (left != QStringList{QStringLiteral("blue")} || !SkinArchive::isInstalled(themes + QStringLiteral("/blue")))
            __builtin_trap();
    } else if (!left.isEmpty()) {
        __builtin_trap();  // a refused package leaves no trace
    }
    return 0;
}
