#include "autostart.h"

#include "apppaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace {
const char kEntryName[] = "KorvoClient";
}

QString AutoStart::executablePath()
{
#ifdef Q_OS_WIN
    return QString(AppPaths::appDir()).replace(QLatin1Char('/'), QLatin1Char('\\'))
        + QStringLiteral("\\KorvoClient.exe");
#else
    return AppPaths::filePath(QStringLiteral("KorvoClient"));
#endif
}

#ifdef Q_OS_WIN

void AutoStart::setEnabled(bool on)
{
    QSettings run(QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                  QSettings::Registry64Format);
    if (on)
        run.setValue(QLatin1String(kEntryName), executablePath());
    else
        run.remove(QLatin1String(kEntryName));
}

bool AutoStart::isEnabled()
{
    QSettings run(QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                  QSettings::Registry64Format);
    return run.contains(QLatin1String(kEntryName));
}

#else

QString AutoStart::desktopEntryPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    // Appended piece by piece: GCC 12 reports a false overflow in the one-expression form.
    QString path = base;
    path += QStringLiteral("/autostart/");
    path += QLatin1String(kEntryName);
    path += QStringLiteral(".desktop");
    return path;
}

namespace {
// Exec= needs quoting when the path holds spaces or the reserved characters.
QString quotedExec(const QString &path)
{
    QString escaped = path;
    for (const QChar c : {QLatin1Char('\\'), QLatin1Char('"'), QLatin1Char('`'), QLatin1Char('$')})
        escaped.replace(c, QStringLiteral("\\") + c);
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}
}

void AutoStart::setEnabled(bool on)
{
    const QString path = desktopEntryPath();
    if (!on) {
        QFile::remove(path);
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Korvo游戏盒\n"
                                         "Exec=%1\n"
                                         "Icon=%2\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(quotedExec(executablePath()), AppPaths::iconPath(QStringLiteral("logo.png")));
    file.write(entry.toUtf8());
    file.commit();
}

bool AutoStart::isEnabled()
{
    return QFile::exists(desktopEntryPath());
}

#endif
