#include "shell/mainmenu.h"

#include "app/apppaths.h"
#include "net/portal.h"
#include "web/systembrowser.h"

#include <QUrl>

namespace {
QIcon menuIcon(const char *fileName)
{
    return QIcon(AppPaths::iconPath(QLatin1String(fileName)));
}
}

MainMenu::MainMenu(QWidget *parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("mainFrameBoxMenu"));
    addAction(menuIcon("icon-menu-setting.png"), QStringLiteral("设置"), this, &MainMenu::signalSettings);
    addAction(menuIcon("icon-menu-resources.png"), QStringLiteral("资源占用"), this, &MainMenu::signalResources);
    addAction(menuIcon("icon-small-account-16.png"), QStringLiteral("全部账号签到"), this, &MainMenu::signalAllSign);
    addAction(menuIcon("icon-menu-site.png"), QStringLiteral("访问官网"), this,
              [this] { SystemBrowser::open(parentWidget(), QUrl(Portal::portalRoot())); });
    addAction(menuIcon("icon-menu-update.png"), QStringLiteral("检查更新"), this, &MainMenu::signalCheckUpdate);
    addAction(menuIcon("icon-menu-about.png"), QStringLiteral("关于"), this, &MainMenu::signalAbout);
}
