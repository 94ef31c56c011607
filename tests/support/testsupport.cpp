#include "testsupport.h"

#include "app/apppaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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

namespace {
QTemporaryDir &programDir()
{
    static QTemporaryDir dir;
    return dir;
}

// Everything a test wrote, but the web profiles' storage.
void emptyKeepingProfiles(const QString &path)
{
    QDir dir(path);
    for (const QFileInfo &entry : dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry.fileName() == QLatin1String("cacheData"))
            continue;
        if (entry.isDir() && !entry.isSymLink()) {
            // A test may have left a folder without write permission behind.
            QFile::setPermissions(entry.filePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QDir(entry.filePath()).removeRecursively();
        } else {
            QFile::remove(entry.filePath());
        }
    }
}
}

TestAppDir::TestAppDir()
{
    const QString root = programDir().path();
    emptyKeepingProfiles(root);
    const QString bin = QStringLiteral(KORVO_BIN_DIR);
    for (const char *sub : {"icons_Korvo", "style", "favicons"})
        copyTree(bin + QLatin1Char('/') + QLatin1String(sub), root + QLatin1Char('/') + QLatin1String(sub));
    AppPaths::setAppDir(root);
}

QString TestAppDir::path() const
{
    return programDir().path();
}

QString TestAppDir::filePath(const QString &name) const
{
    return programDir().filePath(name);
}

bool TestAppDir::isValid() const
{
    return programDir().isValid();
}

QString sqliteTool(const QString &file, const QString &sql)
{
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), file, sql});
    if (!tool.waitForFinished(10000) || tool.exitCode() != 0)
        return QStringLiteral("<sqlite3 failed: %1>").arg(QString::fromUtf8(tool.readAllStandardError()));
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

void screenShot(const QString &name, int settleMs)
{
    const QString dir = qEnvironmentVariable("KORVO_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QTest::qWait(settleMs);
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                 dir + QLatin1Char('/') + name + QStringLiteral(".png")});
}

bool xdotool(const QStringList &args)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), args);
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool pointTo(const QPoint &global)
{
    return xdotool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())});
}
