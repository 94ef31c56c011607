#include "app/appidentity.h"

#include "app/apppaths.h"

#include <QGuiApplication>

QString AppIdentity::displayName()
{
    return QStringLiteral("Korvo游戏盒");
}

QIcon AppIdentity::icon()
{
    QIcon own;
    own.addFile(AppPaths::faviconPath());
    own.addFile(AppPaths::iconPath(QStringLiteral("logo.png")));
    return QIcon::fromTheme(AppPaths::applicationId(), own);
}

void AppIdentity::apply()
{
    // The window class and the user's data directory are named after the
    // program, whatever its file is called.
    QCoreApplication::setApplicationName(QStringLiteral("KorvoClient"));
    QGuiApplication::setApplicationDisplayName(displayName());
    QGuiApplication::setDesktopFileName(AppPaths::applicationId());
    QGuiApplication::setWindowIcon(icon());
}
