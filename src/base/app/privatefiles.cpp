#include "app/privatefiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr mode_t kOthersAccess = S_IRWXG | S_IRWXO;

bool lstatOf(const QString &path, struct stat *info)
{
    return ::lstat(QFile::encodeName(path).constData(), info) == 0;
}
}

bool PrivateFiles::makeFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    // Created with its final mode: a file that is wider for a moment can be
    // opened by someone else and read later through that descriptor.
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0)
        return ::close(fd) == 0;
    return errno == EEXIST && narrow(path);
}

bool PrivateFiles::makeFolder(const QString &path)
{
    const QString folder = QDir::cleanPath(path);
    if (!QFileInfo::exists(folder)) {
        QDir().mkpath(QFileInfo(folder).absolutePath());
        if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return narrow(folder);
}

bool PrivateFiles::narrow(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0 || info.st_uid != ::geteuid())
        return false;
    if ((info.st_mode & kOthersAccess) == 0)
        return true;
    return ::chmod(name.constData(), info.st_mode & 07777 & ~kOthersAccess) == 0;
}

bool PrivateFiles::isOwn(const QString &path)
{
    struct stat info;
    return lstatOf(path, &info) && info.st_uid == ::geteuid();
}

bool PrivateFiles::isPrivateFolder(const QString &path)
{
    struct stat info;
    return lstatOf(path, &info) && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid()
        && (info.st_mode & kOthersAccess) == 0;
}

QString PrivateFiles::asideName(const QString &file)
{
    const QString base = file + QStringLiteral(".damaged-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int n = 2; QFile::exists(name); ++n)
        name = base + QLatin1Char('-') + QString::number(n);
    return name;
}
