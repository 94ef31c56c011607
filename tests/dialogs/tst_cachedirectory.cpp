#include "dialogs/cachedirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The web engine's data folder: what is counted, what cleaning removes and
// what it must keep.
namespace {
bool writeFile(const QString &path, qint64 size)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    // resize() leaves a sparse file: the size without the disk space.
    return file.open(QIODevice::WriteOnly) && file.resize(size);
}
}

class TestCacheDirectory final : public QObject
{
    Q_OBJECT

private slots:
    void sizeCountsEveryFileOnce()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("default/Cache/data_1")), 1000));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("default/.hidden")), 20));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("10003/storage/Cookies")), 300));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("top.txt")), 4));
        // A link is no data of ours, and a link to a parent would loop.
        QVERIFY(QFile::link(dir.path(), dir.filePath(QStringLiteral("10003/loop"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("default/Cache/data_1")), dir.filePath(QStringLiteral("10003/copy"))));
        QCOMPARE(CacheDirectory::size(dir.path()), qint64(1324));
        QCOMPARE(CacheDirectory::size(dir.filePath(QStringLiteral("missing"))), qint64(0));
    }

    void sizeAbove2GiBIsWhole()
    {
        QTemporaryDir dir;
        const qint64 big = 3LL * 1024 * 1024 * 1024 + 512 * 1024;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("x/big")), big));
        QCOMPARE(CacheDirectory::size(dir.path()), big);
        QCOMPARE(CacheDirectory::sizeText(big), QStringLiteral("3072.50M"));
    }

    void emptiesOnlyProfilesNotKept()
    {
        QTemporaryDir dir;
        QTemporaryDir elsewhere;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("default/storage/Cookies")), 10));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("10003/storage/Cookies")), 10));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("10003/Cache/a/b/c")), 10));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("10004/.lock")), 10));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("plain.file")), 10));
        QVERIFY(writeFile(elsewhere.filePath(QStringLiteral("precious")), 10));
        QVERIFY(QFile::link(elsewhere.path(), dir.filePath(QStringLiteral("10003/link"))));

        CacheDirectory::emptyProfilesExcept(dir.path(), {QStringLiteral("default")});

        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("default/storage/Cookies"))));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("plain.file"))));
        for (const char *emptied : {"10003", "10004"}) {
            QVERIFY(QFileInfo(dir.filePath(QLatin1String(emptied))).isDir());
            QVERIFY(QDir(dir.filePath(QLatin1String(emptied))).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
        }
        QVERIFY(QFileInfo::exists(elsewhere.filePath(QStringLiteral("precious"))));
    }

    void sizeText_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << qint64(0) << QStringLiteral("0.00M");
        QTest::newRow("half") << qint64(512 * 1024) << QStringLiteral("0.50M");
        QTest::newRow("rounded") << qint64(1024 * 1024 + 5243) << QStringLiteral("1.01M");
    }

    void sizeText()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(CacheDirectory::sizeText(bytes), text);
    }
};

QTEST_GUILESS_MAIN(TestCacheDirectory)
#include "tst_cachedirectory.moc"
