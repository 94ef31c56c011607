#include "app/label.h"
#include "account/loginform.h"
#include "standinportal.h"
#include "testmainframe.h"
#include "testsupport.h"
#include "shell/userphotocontrol.h"

#include <QLabel>
#include <QMenu>
#include <QtTest>

class TestUserPhotoControl final : public QObject
{
    Q_OBJECT

private:
    static QImage shownPicture(UserPhotoControl &badge)
    {
        return badge.findChild<QLabel *>(QStringLiteral("photoLabel"))->pixmap(Qt::ReturnByValue).toImage();
    }

private slots:
    void pictureIsCutToACircle()
    {
        QPixmap square(200, 100);
        square.fill(Qt::red);
        const QImage round = UserPhotoControl::roundPicture(square).toImage();
        QCOMPARE(round.size(), QSize(60, 60));
        QCOMPARE(round.pixelColor(30, 30), QColor(Qt::red));
        QCOMPARE(round.pixelColor(1, 1).alpha(), 0);  // corners stay transparent
        QCOMPARE(round.pixelColor(58, 58).alpha(), 0);

        // A white picture on a white bar: the circle's foot still shows.
        QPixmap white(60, 60);
        white.fill(Qt::white);
        const QImage ring = UserPhotoControl::roundPicture(white).toImage();
        for (const QPoint &edge : {QPoint(30, 59), QPoint(30, 0), QPoint(0, 30), QPoint(59, 30)})
            QVERIFY2(ring.pixelColor(edge).lightness() < 245 && ring.pixelColor(edge).alpha() > 0, qPrintable(QString::number(edge.y())));
        QCOMPARE(ring.pixelColor(30, 30), QColor(Qt::white));
    }

    void avatarDownloadReplacesThePictureAndFailuresKeepIt()
    {
        TestAppDir dir;
        StandInPortal portal(dir.path());
        QVERIFY(portal.start());
        UserPhotoControl badge;
        badge.setPhoto(dir.filePath(QStringLiteral("icons_Korvo/noavatar_big.gif")));
        const QImage fallback = shownPicture(badge);
        QVERIFY(!fallback.isNull());

        QSignalSpy changed(&badge, &UserPhotoControl::signalPhotoChanged);
        const QString root = QStringLiteral("http://") + portal.portalHost();
        badge.setPhotoUrl(QUrl(root + QStringLiteral("/DODev_C/avatar.php?user_id=10001")));
        QVERIFY(changed.wait(10000));
        QVERIFY(shownPicture(badge) != fallback);
        const QImage avatar = shownPicture(badge);

        // A page that is not an image, a missing page, a refused port: the avatar stays.
        const QStringList broken{root + QStringLiteral("/user.php"), root + QStringLiteral("/no-such-avatar.png"),
                                 QStringLiteral("http://127.0.0.1:1/avatar.png")};
        for (const QString &address : broken) {
            badge.setPhotoUrl(QUrl(address));
            QVERIFY2(!changed.wait(1500), qPrintable(address));
            QCOMPARE(shownPicture(badge), avatar);
        }
        // A valid PNG of 9000 x 9000 pixels in a few hundred kilobytes: refused by its header.
        portal.control({{QStringLiteral("op"), QStringLiteral("fault")}, {QStringLiteral("endpoint"), QStringLiteral("/DODev_C/avatar.php")},
                        {QStringLiteral("image_px"), QStringLiteral("9000")}, {QStringLiteral("times"), QStringLiteral("1")}});
        badge.setPhotoUrl(QUrl(root + QStringLiteral("/DODev_C/avatar.php?user_id=10002")));
        QVERIFY(!changed.wait(4000));
        QCOMPARE(shownPicture(badge), avatar);
    }

    void localPictureWinsOverADownloadStillRunning()
    {
        TestAppDir dir;
        StandInPortal portal(dir.path());
        QVERIFY(portal.start());
        portal.control({{QStringLiteral("op"), QStringLiteral("fault")}, {QStringLiteral("endpoint"), QStringLiteral("/DODev_C/avatar.php")},
                        {QStringLiteral("delay_ms"), QStringLiteral("800")}});
        UserPhotoControl badge;
        badge.setPhotoUrl(QUrl(QStringLiteral("http://") + portal.portalHost() + QStringLiteral("/DODev_C/avatar.php?user_id=10001")));
        badge.setPhoto(dir.filePath(QStringLiteral("icons_Korvo/noavatar_big.gif")));  // logout meanwhile
        const QImage loggedOut = shownPicture(badge);
        // Time passes on purpose, past the download's delay: a late picture would be shown by now.
        QTest::qWait(1500);
        QCOMPARE(shownPicture(badge), loggedOut);
    }

    void loggedOutClickOpensTheLoginDialogInsteadOfTheMenu()
    {
        TestAppDir dir;
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTest::mouseClick(frame.userPhoto(), Qt::LeftButton);
        QVERIFY(frame.loginForm()->isVisible());
        const QList<QMenu *> menus = frame.userPhoto()->findChildren<QMenu *>();
        QCOMPARE(menus.size(), 1);
        QVERIFY(!menus.first()->isVisible());
        QStringList texts;
        for (QAction *action : menus.first()->actions())
            texts << action->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("注销"), QStringLiteral("切换账号")}));
    }

    void labelEmitsOnlyOnLeftClicks()
    {
        Label label;
        QSignalSpy clicked(&label, &Label::signalClicked);
        QTest::mouseClick(&label, Qt::RightButton);
        QTest::mouseClick(&label, Qt::MiddleButton);
        QCOMPARE(clicked.count(), 0);
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
    }
};

QTEST_MAIN(TestUserPhotoControl)
#include "tst_userphotocontrol.moc"
