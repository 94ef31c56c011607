#include "shell/framegeometry.h"

#include <QtTest>

// Which edge a cursor is over and where a dragged edge may go, without a window.
class TestFrameGeometry final : public QObject
{
    Q_OBJECT

private slots:
    void edgesUnderTheCursor_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("edges");
        // Frame (100,100) to (1123,789): 1024 x 690.
        QTest::newRow("top-left") << QPoint(101, 102) << 5;
        QTest::newRow("top-right") << QPoint(1122, 100) << 9;
        QTest::newRow("top") << QPoint(500, 103) << 1;
        QTest::newRow("bottom-left") << QPoint(100, 789) << 6;
        QTest::newRow("bottom-right") << QPoint(1121, 787) << 10;
        QTest::newRow("bottom") << QPoint(500, 786) << 2;
        QTest::newRow("left") << QPoint(103, 400) << 4;
        QTest::newRow("right") << QPoint(1123, 400) << 8;
        QTest::newRow("inside") << QPoint(500, 400) << 0;
        QTest::newRow("just past the band") << QPoint(104, 104) << 0;
    }

    void edgesUnderTheCursor()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, edges);
        QCOMPARE(FrameGeometry::edgesAt(QRect(100, 100, 1024, 690), pos, 4), edges);
    }

    void resizeKeepsTheMinimumSize_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<int>("edges");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QRect>("expected");
        const QRect minimal(100, 100, 1024, 690);
        QTest::newRow("bottom-right inward at minimum") << minimal << 10 << QPoint(1000, 700) << minimal;
        QTest::newRow("bottom-right outward grows") << minimal << 10 << QPoint(1200, 850)
                                                    << QRect(QPoint(100, 100), QPoint(1200, 850));
        QTest::newRow("top-left inward at minimum") << minimal << 5 << QPoint(150, 150) << minimal;
        QTest::newRow("top-left outward grows") << minimal << 5 << QPoint(50, 60)
                                                << QRect(QPoint(50, 60), minimal.bottomRight());
        QTest::newRow("left jump past the minimum keeps the right edge")
            << QRect(100, 100, 1100, 690) << 4 << QPoint(400, 300) << QRect(100 + 1100 - 1024, 100, 1024, 690);
        QTest::newRow("bottom shrinks above minimum") << QRect(100, 100, 1024, 800) << 2 << QPoint(600, 850)
                                                      << QRect(QPoint(100, 100), QPoint(1123, 850));
    }

    void resizeKeepsTheMinimumSize()
    {
        QFETCH(QRect, frame);
        QFETCH(int, edges);
        QFETCH(QPoint, cursor);
        QFETCH(QRect, expected);
        QCOMPARE(FrameGeometry::resizedGeometry(frame, edges, cursor, QSize(1024, 690), QSize(16777215, 16777215)),
                 expected);
    }


    void cursorShowsTheEdgesUnderIt_data()
    {
        QTest::addColumn<int>("edges");
        QTest::addColumn<int>("shape");
        QTest::newRow("top-left") << 5 << int(Qt::SizeFDiagCursor);
        QTest::newRow("bottom-right") << 10 << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-right") << 9 << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-left") << 6 << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom") << 2 << int(Qt::SizeVerCursor);
        QTest::newRow("left") << 4 << int(Qt::SizeHorCursor);
        QTest::newRow("right") << 8 << int(Qt::SizeHorCursor);
        QTest::newRow("inside") << 0 << int(Qt::ArrowCursor);
    }

    void cursorShowsTheEdgesUnderIt()
    {
        QFETCH(int, edges);
        QFETCH(int, shape);
        QCOMPARE(int(FrameGeometry::cursorFor(edges)), shape);
    }
};

QTEST_GUILESS_MAIN(TestFrameGeometry)
#include "tst_framegeometry.moc"
