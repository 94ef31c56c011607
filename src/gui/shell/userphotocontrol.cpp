#include "shell/userphotocontrol.h"

#include "net/portal.h"

#include "shell/avatarpicture.h"
#include "net/guardednetwork.h"
#include "web/tabwidget.h"
#include "web/windowfinder.h"

#include <QDebug>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QNetworkReply>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kPictureSize = 60;
}

UserPhotoControl::UserPhotoControl(QWidget *parent)
    : QWidget(parent)
    , m_photoLabel(new QLabel(this))
    , m_photoBottom(new QLabel(this))
    , m_menu(new QMenu(this))
{
    setObjectName(QStringLiteral("userPhotoControl"));
    m_photoLabel->setObjectName(QStringLiteral("photoLabel"));
    m_photoLabel->setGeometry(5, 0, 64, 64);
    m_photoBottom->setObjectName(QStringLiteral("photoBottom"));
    m_photoBottom->setGeometry(0, 32, 74, 37);

    m_switchAction = new QAction(QStringLiteral("切换账号"), m_menu);
    m_logoutAction = new QAction(QStringLiteral("注销"), m_menu);
    m_menu->addAction(m_logoutAction);
    m_menu->addAction(m_switchAction);
    connect(m_logoutAction, &QAction::triggered, this, &UserPhotoControl::signalLoginout);
    connect(m_switchAction, &QAction::triggered, this, &UserPhotoControl::signalSwitchAccount);

    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
}

QPixmap UserPhotoControl::roundPicture(const QPixmap &source)
{
    QPixmap result(kPictureSize, kPictureSize);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QPainterPath circle;
    circle.addEllipse(0, 0, kPictureSize, kPictureSize);
    painter.setClipPath(circle);
    if (!source.isNull())
        painter.drawPixmap(0, 0, kPictureSize, kPictureSize, source);
    // A picture whose foot is as light as the bar below it (the default
    // avatar's shoulders) would read as a circle cut flat: a ring closes it.
    painter.setClipping(false);
    painter.setPen(QPen(QColor(0, 0, 0, 48), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(0.75, 0.75, kPictureSize - 1.5, kPictureSize - 1.5));
    return result;
}

void UserPhotoControl::showPicture(const QPixmap &picture)
{
    m_photoLabel->setStyleSheet(QStringLiteral("border-radius:32px;"));
    m_photoLabel->setPixmap(roundPicture(picture));
    update();
    emit signalPhotoChanged();
}

void UserPhotoControl::setPhoto(const QString &path)
{
    // A later local picture (logout) wins over an avatar still downloading.
    if (m_pendingReply)
        ReplyGuard::of(m_pendingReply)->cancel();
    showPicture(QPixmap(path));
}

void UserPhotoControl::setPhotoUrl(const QUrl &url)
{
    if (!m_network) {
        m_network = new GuardedNetwork(this);
        connect(m_network, &GuardedNetwork::finished, this, &UserPhotoControl::handlerPhotoReply);
    }
    if (m_pendingReply)
        ReplyGuard::of(m_pendingReply)->cancel();
    m_pendingReply = m_network->get(url, ReplyGuard::pictureLimits());
}

void UserPhotoControl::showAccount(const Identity &who)
{
    QUrl url(Portal::portalRoot() + QStringLiteral("/DODev_C/avatar.php"));
    url.setQuery(QStringLiteral("user_id=") + QString::fromLatin1(QUrl::toPercentEncoding(who.userId)));
    setPhotoUrl(url);
}

void UserPhotoControl::handlerPhotoReply(QNetworkReply *reply)
{
    reply->deleteLater();
    const ReplyGuard *guard = ReplyGuard::of(reply);
    if (reply != m_pendingReply || !guard->succeeded())
        return;
    // Keep the current picture when the portal sends something that is not an
    // image, or one too large to decode.
    QImage picture;
    const AvatarPicture::Result result = AvatarPicture::read(guard->body(), &picture);
    if (result == AvatarPicture::Result::Ok)
        showPicture(QPixmap::fromImage(picture));
    else
        qDebug() << "avatar refused:" << (result == AvatarPicture::Result::TooLarge ? "too large" : "unreadable");
}

void UserPhotoControl::mouseReleaseEvent(QMouseEvent *event)
{
    TabWidget *tabs = WindowFinder::tabWidget(this);
    if (tabs && tabs->checkLogin())
        m_menu->exec(event->globalPos());
    QWidget::mouseReleaseEvent(event);
}
