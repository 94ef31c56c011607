#include "shell/screenplacement.h"
#include "shell/storedgeometry.h"

#include <QtTest>

// A remembered window geometry read back from the settings and brought onto
// the screens there are now.
class TestScreenPlacement final : public QObject
{
    Q_OBJECT

private slots:
    void geometryLandsOnAScreen_data()
    {
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QRect>("expected");
        const QRect single(0, 0, 1920, 1080);
        // A second screen to the right, smaller and lower.
        const QList<QRect> two{single, QRect(1920, 200, 1280, 800)};
        QTest::newRow("inside stays") << QList<QRect>{single} << QRect(100, 80, 1280, 730) << QRect(100, 80, 1280, 730);
        QTest::newRow("off the right edge") << QList<QRect>{single} << QRect(1500, 80, 1280, 730)
                                            << QRect(640, 80, 1280, 730);
        QTest::newRow("above and left of it") << QList<QRect>{single} << QRect(-300, -50, 1280, 730)
                                              << QRect(0, 0, 1280, 730);
        QTest::newRow("larger than the screen") << QList<QRect>{single} << QRect(50, 50, 2500, 1400) << single;
        QTest::newRow("on a screen that is gone") << QList<QRect>{single} << QRect(2100, 300, 1024, 690)
                                                  << QRect(896, 300, 1024, 690);
        QTest::newRow("mostly on the second screen") << two << QRect(1800, 250, 1024, 690)
                                                     << QRect(1920, 250, 1024, 690);
        QTest::newRow("mostly on the first screen") << two << QRect(1200, 500, 1024, 690)
                                                    << QRect(896, 390, 1024, 690);
        QTest::newRow("shrunk to the smaller screen") << two << QRect(2000, 100, 1500, 900)
                                                      << QRect(1920, 200, 1280, 800);
        QTest::newRow("no screens known") << QList<QRect>{} << QRect(5000, 5000, 800, 600)
                                          << QRect(5000, 5000, 800, 600);
    }

    void geometryLandsOnAScreen()
    {
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, geometry);
        QFETCH(QRect, expected);
        QCOMPARE(ScreenPlacement::keptOnScreens(geometry, screens), expected);
    }

    void startGeometryFromWhatWasKept_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QRect>("expected");
        // One 1920 x 1040 screen; default 1280 x 730, minimum 1024 x 690.
        const QRect centred(320, 155, 1280, 730);
        QTest::newRow("nothing kept") << QString() << centred;
        QTest::newRow("kept") << QStringLiteral("40,60,1400,800") << QRect(40, 60, 1400, 800);
        QTest::newRow("spaces") << QStringLiteral(" 40, 60 ,1400,800") << QRect(40, 60, 1400, 800);
        QTest::newRow("below the minimum size") << QStringLiteral("40,60,300,200") << QRect(40, 60, 1024, 690);
        QTest::newRow("off the screen") << QStringLiteral("3000,-500,1400,800") << QRect(520, 0, 1400, 800);
        QTest::newRow("three numbers") << QStringLiteral("40,60,1400") << centred;
        QTest::newRow("not numbers") << QStringLiteral("a,b,c,d") << centred;
        QTest::newRow("no size") << QStringLiteral("40,60,0,800") << centred;
        QTest::newRow("negative size") << QStringLiteral("40,60,-1400,800") << centred;
        QTest::newRow("absurdly large") << QStringLiteral("40,60,2147483647,800") << centred;
    }

    void startGeometryFromWhatWasKept()
    {
        QFETCH(QString, stored);
        QFETCH(QRect, expected);
        const QRect geometry = StoredGeometry::startGeometry(stored, {QRect(0, 0, 1920, 1040)}, QSize(1280, 730),
                                                             QSize(1024, 690));
        QCOMPARE(geometry, expected);
        // What is written back reads as the same geometry.
        QCOMPARE(StoredGeometry::parse(StoredGeometry::text(geometry)), geometry);
    }

    void onlyWaylandKeepsPositionsToItself_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("clientPlaces");
        QTest::newRow("x11") << QStringLiteral("xcb") << true;
        QTest::newRow("wayland") << QStringLiteral("wayland") << false;
        QTest::newRow("wayland with EGL") << QStringLiteral("wayland-egl") << false;
        QTest::newRow("offscreen") << QStringLiteral("offscreen") << true;
    }

    void onlyWaylandKeepsPositionsToItself()
    {
        QFETCH(QString, platform);
        QFETCH(bool, clientPlaces);
        QCOMPARE(ScreenPlacement::clientPlacesWindows(platform), clientPlaces);
    }
};

QTEST_APPLESS_MAIN(TestScreenPlacement)
#include "tst_screenplacement.moc"
