#include "app/autostart.h"

#include "app/apppaths.h"

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
// An Exec= argument in quotes: the reserved characters take a backslash, and
// every backslash is doubled once more for the file's own string escapes; a
// percent sign is a field code unless doubled.
QString quotedExec(const QString &path)
{
    QString escaped;
    for (const QChar c : path) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\\\\\");
        else if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$'))
            escaped += QStringLiteral("\\\\") + c;
        else if (c == QLatin1Char('%'))
            escaped += QStringLiteral("%%");
        else
            escaped += c;
    }
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// A plain string value: only the backslash needs its escape.
QString escapedValue(QString value)
{
    return value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}
}

QString AutoStart::desktopEntry()
{
    // An installed program names its icon in the icon theme; a portable copy
    // has only its own file.
    const QString icon = AppPaths::isInstalled() ? AppPaths::applicationId()
                                                 : AppPaths::iconPath(QStringLiteral("logo.png"));
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Korvo游戏盒\n"
                          "Exec=%1\n"
                          "Icon=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(quotedExec(executablePath()), escapedValue(icon));
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
    file.write(desktopEntry().toUtf8());
    file.commit();
}

bool AutoStart::isEnabled()
{
    return QFile::exists(desktopEntryPath());
}

#endif
