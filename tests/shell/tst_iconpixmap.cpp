#include "shell/iconpixmap.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

// Pictures for scaled screens: every icon has its double-size rendering, and a
// label's picture is drawn from it past 100 %.
class TestIconPixmap final : public QObject
{
    Q_OBJECT

private slots:
    void everyIconHasItsDoubleSizeRendering_data()
    {
        QTest::addColumn<QString>("file");
        const QDir icons(QStringLiteral(KORVO_SOURCE_DIR "/assets/icons_Korvo"));
        const QStringList files = icons.entryList({QStringLiteral("*.png")}, QDir::Files);
        QVERIFY(files.size() > 40);
        for (const QString &name : files) {
            if (!name.endsWith(QLatin1String("@2x.png")))
                QTest::newRow(qPrintable(name)) << icons.filePath(name);
        }
    }

    void everyIconHasItsDoubleSizeRendering()
    {
        QFETCH(QString, file);
        const QImage single(file);
        const QImage twice(IconPixmap::doubleSizeFile(file));
        QVERIFY2(!twice.isNull(), "no @2x rendering: run assets/render-icons.sh");
        QCOMPARE(twice.size(), single.size() * 2);
    }

    void theLargerSourceServesScaledScreens_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("withLarger");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("100 %") << qreal(1) << true << qRgb(255, 0, 0);
        QTest::newRow("125 %") << qreal(1.25) << true << qRgb(0, 0, 255);
        QTest::newRow("200 %") << qreal(2) << true << qRgb(0, 0, 255);
        QTest::newRow("200 %, no @2x file") << qreal(2) << false << qRgb(255, 0, 0);
    }

    // The single-size file is red and the double-size one blue, so the colour
    // tells which one the picture came from.
    void theLargerSourceServesScaledScreens()
    {
        QFETCH(qreal, ratio);
        QFETCH(bool, withLarger);
        QFETCH(QRgb, colour);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("logo.png"));
        solid(QSize(64, 32), Qt::red).save(file);
        if (withLarger)
            solid(QSize(128, 64), Qt::blue).save(IconPixmap::doubleSizeFile(file));

        const QPixmap picture = IconPixmap::load(file, QSize(40, 40), ratio);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        QCOMPARE(picture.size(), (QSizeF(40, 20) * ratio).toSize());
        QCOMPARE(picture.toImage().pixel(picture.width() / 2, picture.height() / 2), colour);
    }

    void unreadableOrEmptyGivesNoPicture()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("broken.png"));
        QFile broken(file);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        QVERIFY(IconPixmap::load(file, QSize(10, 10), 2).isNull());
        QVERIFY(IconPixmap::load(dir.filePath(QStringLiteral("missing.png")), QSize(10, 10), 1).isNull());
        solid(QSize(8, 8), Qt::red).save(file);
        QVERIFY(IconPixmap::load(file, QSize(), 1).isNull());
        QVERIFY(IconPixmap::load(file, QSize(10, 10), 0).isNull());
    }

private:
    static QImage solid(const QSize &size, Qt::GlobalColor colour)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }
};

QTEST_MAIN(TestIconPixmap)
#include "tst_iconpixmap.moc"
