#include "testsupport.h"

#include "apppaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

bool copyTree(const QString &from, const QString &to)
{
    QDir source(from);
    if (!source.exists())
        return false;
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
    return true;
}

TestAppDir::TestAppDir()
{
    const QString bin = QStringLiteral(KORVO_BIN_DIR);
    for (const char *sub : {"icons_Korvo", "style", "favicons"})
        copyTree(bin + QLatin1Char('/') + QLatin1String(sub), m_dir.path() + QLatin1Char('/') + QLatin1String(sub));
    AppPaths::setAppDir(m_dir.path());
}
