#include "web/desktopshortcut.h"

#include "web/shortcutaddress.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QUrl>

QString DesktopShortcut::execArgument(const QString &text)
{
    QString quoted;
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    // Field codes start with "%"; the string value then doubles backslashes.
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString DesktopShortcut::entryText(const GameTab &game, const QString &program, const QString &token)
{
    const QString address = ShortcutAddress::build(game, token);
    if (address.isEmpty() || program.isEmpty())
        return QString();
    const QString label = !game.game.isEmpty() ? game.game : !game.host.isEmpty() ? game.host : QStringLiteral("游戏");
    const QString server = game.serverId.isEmpty() ? QString() : QStringLiteral(" %1服").arg(game.serverId);
    // The name is shown by file managers; its text comes from a page, so line breaks are gone already.
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Version=1.4\n"
                          "Name=%1 - %2%3\n"
                          "Comment=Korvo游戏盒\n"
                          "Exec=%4 %5\n"
                          "Icon=com.korvogame.KorvoClient\n"
                          "Terminal=false\n"
                          "Categories=Game;\n")
        .arg(game.account, label, server, execArgument(program), execArgument(address));
}

QString DesktopShortcut::fileName(const GameTab &game)
{
    const QString account = QString::fromLatin1(QUrl::toPercentEncoding(game.account)).replace(QLatin1Char('%'),
                                                                                                 QLatin1Char('_'));
    const QString target = game.serverId.isEmpty() ? game.kind : game.serverId;
    return QStringLiteral("korvo-%1-%2-%3.desktop")
        .arg(game.host.isEmpty() ? QStringLiteral("game") : game.host, target, account);
}

QString DesktopShortcut::write(const QString &folder, const GameTab &game, const QString &program, QString *error,
                               const QString &token)
{
    const QString text = entryText(game, program, token);
    if (text.isEmpty() || folder.isEmpty()) {
        *error = QStringLiteral("无法为此标签创建快捷方式");
        return QString();
    }
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("无法创建桌面文件夹：") + folder;
        return QString();
    }
    const QString path = QDir(folder).filePath(fileName(game));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        *error = QStringLiteral("无法写入快捷方式：") + file.errorString();
        return QString();
    }
    // Desktops start only entries their owner may execute.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}
