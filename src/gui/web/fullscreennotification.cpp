#include "web/fullscreennotification.h"

#include "app/apppaths.h"
#include "web/webview.h"

#include <QDebug>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

FullScreenNotification::FullScreenNotification(QWidget *parent)
    : QPushButton(parent)
{
    // The icon is found beside the executable, whatever the working directory.
    setIcon(QIcon(AppPaths::iconPath(QStringLiteral("icon-exitfull.png"))));
    setIconSize(QSize(20, 20));
    setText(QStringLiteral("退出全屏"));
    setStyleSheet(QStringLiteral(
        "font-size: 18px;color: #6bbd03;background-color: rgba(255,255,255,210);border:1px solid #999;"));
    setGeometry(placement(QGuiApplication::primaryScreen()->geometry().width()));
    setCursor(Qt::PointingHandCursor);
    connect(this, &QPushButton::clicked, this, &FullScreenNotification::handlerExitFullscreen);
    setShortcut(QKeySequence::Cancel);
}

QRect FullScreenNotification::placement(int screenWidth)
{
    return QRect((screenWidth - 120) / 2, 0, 120, 30);
}

void FullScreenNotification::handlerExitFullscreen()
{
    auto *view = qobject_cast<WebView *>(parentWidget());
    if (!view)
        return;
    view->setWindowFlags(Qt::SubWindow);
    view->showNormal();
    hide();
    deleteLater();
}

void FullScreenNotification::keyReleaseEvent(QKeyEvent *event)
{
    qDebug() << "key key:" << event->key();
}
