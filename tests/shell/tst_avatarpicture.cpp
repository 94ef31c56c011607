#include "shell/avatarpicture.h"

#include <QBuffer>
#include <QTest>

#include <zlib.h>

namespace {
QByteArray pngOf(const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// A picture's header claims its size; the pixels are read only afterwards.
QByteArray withClaimedSize(QByteArray png, quint32 width, quint32 height)
{
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = char((width >> (24 - 8 * i)) & 0xff);
        png[20 + i] = char((height >> (24 - 8 * i)) & 0xff);
    }
    // The header chunk's checksum covers its type and its fields.
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(png.constData() + 12), 17);
    for (int i = 0; i < 4; ++i)
        png[29 + i] = char((crc >> (24 - 8 * i)) & 0xff);
    return png;
}
}

Q_DECLARE_METATYPE(AvatarPicture::Result)

class TestAvatarPicture final : public QObject
{
    Q_OBJECT

private slots:
    void readsOnlyPicturesOfASaneSize_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<AvatarPicture::Result>("result");
        const QByteArray small = pngOf(QSize(64, 48));
        QTest::newRow("avatar") << small << AvatarPicture::Result::Ok;
        QTest::newRow("largest allowed") << pngOf(AvatarPicture::maxSize()) << AvatarPicture::Result::Ok;
        QTest::newRow("one pixel too wide") << pngOf(QSize(AvatarPicture::maxSize().width() + 1, 1))
                                            << AvatarPicture::Result::TooLarge;
        // The header is checked, not the decoded pixels: these would fail to decode anyway.
        QTest::newRow("claims 20000 x 20000") << withClaimedSize(small, 20000, 20000) << AvatarPicture::Result::TooLarge;
        QTest::newRow("claims 1 x 90000") << withClaimedSize(small, 1, 90000) << AvatarPicture::Result::TooLarge;
        QTest::newRow("page instead of a picture") << QByteArray("<html>no</html>") << AvatarPicture::Result::Unreadable;
        QTest::newRow("cut picture") << small.left(40) << AvatarPicture::Result::Unreadable;
        QTest::newRow("nothing") << QByteArray() << AvatarPicture::Result::Unreadable;
    }

    void readsOnlyPicturesOfASaneSize()
    {
        QFETCH(QByteArray, data);
        QFETCH(AvatarPicture::Result, result);
        QImage image;
        QCOMPARE(AvatarPicture::read(data, &image), result);
        QCOMPARE(image.isNull(), result != AvatarPicture::Result::Ok);
    }
};

QTEST_GUILESS_MAIN(TestAvatarPicture)
#include "tst_avatarpicture.moc"
