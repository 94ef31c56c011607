#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "net/identity.h"

class QAction;
class QLabel;
class GuardedNetwork;
class QMenu;
class QNetworkReply;

// The round avatar in the top-left corner with the account menu.
class UserPhotoControl : public QWidget
{
    Q_OBJECT
public:
    explicit UserPhotoControl(QWidget *parent = nullptr);

    void setPhoto(const QString &path);
    // Downloads the avatar; the current picture stays until the download succeeds.
    void setPhotoUrl(const QUrl &url);

    // The portal's avatar of that account.
    void showAccount(const Identity &who);

    // The image cut to a 60 x 60 circle.
    static QPixmap roundPicture(const QPixmap &source);

signals:
    void signalSwitchAccount();
    void signalLoginout();
    void signalPhotoChanged();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void handlerPhotoReply(QNetworkReply *reply);
    void showPicture(const QPixmap &picture);

    QLabel *m_photoLabel;
    QLabel *m_photoBottom;
    QMenu *m_menu;
    QAction *m_switchAction;
    QAction *m_logoutAction;
    GuardedNetwork *m_network = nullptr;
    QPointer<QNetworkReply> m_pendingReply;
};
