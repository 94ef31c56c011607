#include "dialogs/skinarchive.h"
#include "app/skinstyle.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <minizip/zip.h>
#include <zlib.h>

// Skin packages from the network, built here with minizip: a good package
// installs whole; every hostile one is refused without writing outside
// themes/ and without touching the skins already installed.
namespace {
constexpr qint64 kMiB = 1024 * 1024;

struct Entry
{
    QByteArray name;
    QByteArray data;
    uLong attributes = 0;
    // Zeros deflated in the test; the header claims claimedSize bytes (0: the truth).
    qint64 zeros = 0;
    uLong claimedSize = 0;
};

QByteArray rawDeflatedZeros(qint64 count, uLong *crc)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    static const QByteArray chunk(kMiB, '\0');
    QByteArray out;
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    *crc = crc32(0L, Z_NULL, 0);
    for (qint64 left = count; left >= 0; left -= kMiB) {
        const int take = int(qMin(left, kMiB));
        *crc = crc32(*crc, reinterpret_cast<const Bytef *>(chunk.constData()), uInt(take));
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(chunk.constData()));
        stream.avail_in = uInt(take);
        const int flush = left <= kMiB ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = reinterpret_cast<Bytef *>(buffer.data());
            stream.avail_out = uInt(buffer.size());
            deflate(&stream, flush);
            out.append(buffer.constData(), buffer.size() - int(stream.avail_out));
        } while (stream.avail_out == 0);
        if (flush == Z_FINISH)
            break;
    }
    deflateEnd(&stream);
    return out;
}

bool writeZip(const QString &path, const QList<Entry> &entries)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        return false;
    bool ok = true;
    for (const Entry &entry : entries) {
        zip_fileinfo info{};
        info.external_fa = entry.attributes;
        if (entry.zeros) {
            uLong crc = 0;
            const QByteArray packed = rawDeflatedZeros(entry.zeros, &crc);
            ok = ok && zipOpenNewFileInZip2(zip, entry.name.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                            Z_DEFLATED, Z_BEST_SPEED, 1) == ZIP_OK;
            ok = ok && zipWriteInFileInZip(zip, packed.constData(), unsigned(packed.size())) == ZIP_OK;
            const uLong claimed = entry.claimedSize ? entry.claimedSize : uLong(entry.zeros);
            ok = ok && zipCloseFileInZipRaw(zip, claimed, crc) == ZIP_OK;
            continue;
        }
        ok = ok && zipOpenNewFileInZip(zip, entry.name.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                       Z_DEFLATED, Z_DEFAULT_COMPRESSION) == ZIP_OK;
        ok = ok && zipWriteInFileInZip(zip, entry.data.constData(), unsigned(entry.data.size())) == ZIP_OK;
        ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}

// A header picture; with side, its frame header claims side x side pixels.
QByteArray photo(int side = 0)
{
    QImage image(48, 9, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    QByteArray jpeg = buffer.data();
    const int frame = jpeg.indexOf("\xFF\xC0");
    for (const int at : {frame + 5, frame + 7}) {
        if (side && frame > 0) {
            jpeg[at] = char(side >> 8);
            jpeg[at + 1] = char(side & 0xFF);
        }
    }
    return jpeg;
}

QList<Entry> goodSkin(const QByteArray &name = "blue")
{
    return {{name + '/', QByteArray(), 16},
            {name + "/style.qss", "QWidget#MainFrameObject { background: #3070c0; }"},
            {name + "/photo.jpg", photo()}};
}

QStringList filesBelow(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(dir).relativeFilePath(it.next());
    files.sort();
    return files;
}
}

Q_DECLARE_METATYPE(QList<Entry>)
Q_DECLARE_METATYPE(SkinArchive::Error)

class TestSkinArchive final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestAppDir> m_app;
    QTemporaryDir m_downloads;
    QString m_themes;
    QString m_outside;

private slots:
    void init()
    {
        m_app = std::make_unique<TestAppDir>();
        QVERIFY(m_app->isValid());
        m_themes = SkinStyle::themesDirectory();
        QDir(m_themes).removeRecursively();
        // The skin in use while the new one installs.
        QVERIFY(QDir().mkpath(m_themes + QStringLiteral("red")));
        for (const char *file : {"red/style.qss", "red/photo.jpg"}) {
            QFile red(m_themes + QLatin1String(file));
            QVERIFY(red.open(QIODevice::WriteOnly));
            red.write("red");
        }
        m_outside = m_downloads.path() + QStringLiteral("/outside");
        QDir(m_outside).removeRecursively();
    }

    void install_data()
    {
        QTest::addColumn<QList<Entry>>("entries");
        QTest::addColumn<SkinArchive::Error>("error");
        using E = SkinArchive::Error;
        const QByteArray absolute = QFile::encodeName(m_downloads.path()) + "/outside/evil.txt";
        QTest::newRow("good") << goodSkin() << E::None;
        QTest::newRow("directory by its slash (zip tool attributes)")
            << QList<Entry>{{"blue/", {}, 0x41ED0010u}, {"blue/style.qss", "x"}, {"blue/photo.jpg", photo()}} << E::None;
        QTest::newRow("no directory entries")
            << QList<Entry>{{"blue/style.qss", "x"}, {"blue/photo.jpg", photo()}} << E::None;
        QTest::newRow("a page beside the skin's files")
            << goodSkin() + QList<Entry>{{"blue/readme.html", "<script>open('../../vmgamebox.db')</script>"}} << E::None;
        QTest::newRow("sheet past its limit")
            << QList<Entry>{{"blue/style.qss", QByteArray(int(SkinStyle::maxStyleBytes) + 1, ' ')},
                            {"blue/photo.jpg", photo()}}
            << E::Unfit;
        QTest::newRow("picture claiming 11000 x 11000")
            << QList<Entry>{{"blue/style.qss", "x"}, {"blue/photo.jpg", photo(11000)}} << E::Unfit;
        QTest::newRow("picture that is none") << QList<Entry>{{"blue/style.qss", "x"}, {"blue/photo.jpg", "y"}}
                                              << E::Unfit;
        QTest::newRow("parent climb") << goodSkin() + QList<Entry>{{"../evil.txt", "x"}} << E::BadName;
        QTest::newRow("climb from inside") << goodSkin() + QList<Entry>{{"blue/../../evil.txt", "x"}} << E::BadName;
        QTest::newRow("absolute") << goodSkin() + QList<Entry>{{absolute, "x"}} << E::BadName;
        QTest::newRow("drive letter") << goodSkin() + QList<Entry>{{"C:/evil.txt", "x"}} << E::BadName;
        QTest::newRow("backslashes") << goodSkin() + QList<Entry>{{"blue\\..\\..\\evil.txt", "x"}} << E::BadName;
        QTest::newRow("long name") << goodSkin() + QList<Entry>{{"blue/" + QByteArray(300, 'a'), "x"}}
                                   << E::NameTooLong;
        QTest::newRow("zip bomb") << goodSkin() + QList<Entry>{{"blue/bomb.bin", {}, 0, 256 * kMiB}} << E::TooLarge;
        // The reader inflates no more than an entry claims; what it claims must then check out.
        QTest::newRow("zip bomb claiming 1000 bytes")
            << goodSkin() + QList<Entry>{{"blue/bomb.bin", {}, 0, 256 * kMiB, 1000}} << E::Corrupt;
        QTest::newRow("bombs each under the entry limit")
            << goodSkin() + QList<Entry>{{"blue/1", {}, 0, 15 * kMiB}, {"blue/2", {}, 0, 15 * kMiB},
                                         {"blue/3", {}, 0, 15 * kMiB}, {"blue/4", {}, 0, 15 * kMiB}}
            << E::TooLarge;
        QList<Entry> crowd = goodSkin();
        for (int i = 0; i < 100000; ++i)
            crowd.append({"blue/" + QByteArray::number(i), "x"});
        QTest::newRow("100000 entries") << crowd << E::TooManyEntries;
        QTest::newRow("no picture") << QList<Entry>{{"blue/style.qss", "x"}} << E::Incomplete;
        // minizip opens no archive without entries.
        QTest::newRow("empty archive") << QList<Entry>{} << E::Unreadable;
    }

    void install()
    {
        QFETCH(QList<Entry>, entries);
        QFETCH(SkinArchive::Error, error);
        const QString package = m_downloads.path() + QStringLiteral("/blue.zip");
        QVERIFY(writeZip(package, entries));
        // A half-installed folder of the same skin: replaced whole, or left as it was.
        QVERIFY(QDir().mkpath(m_themes + QStringLiteral("blue")));

        QCOMPARE(SkinArchive::errorText(SkinArchive::install(package, m_themes, QStringLiteral("blue"), SkinArchive::defaultLimits())),
                 SkinArchive::errorText(error));

        const QStringList expected = error == SkinArchive::Error::None
            ? QStringList{QStringLiteral("blue/photo.jpg"), QStringLiteral("blue/style.qss"), QStringLiteral("red/photo.jpg"), QStringLiteral("red/style.qss")}
            : QStringList{QStringLiteral("red/photo.jpg"), QStringLiteral("red/style.qss")};
        QCOMPARE(filesBelow(m_themes), expected);
        QVERIFY(QDir(m_themes).entryList({QStringLiteral(".install-*")}, QDir::AllEntries | QDir::Hidden).isEmpty());
        QVERIFY(!QFileInfo::exists(m_outside));
        QVERIFY(!filesBelow(m_app->path()).contains(QStringLiteral("evil.txt")));
        QFile red(m_themes + QStringLiteral("red/style.qss"));
        QVERIFY(red.open(QIODevice::ReadOnly));
        QCOMPARE(red.readAll(), QByteArray("red"));
    }

    void unreadablePackage()
    {
        const QString page = m_downloads.path() + QStringLiteral("/page.zip");
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><body>404 Not Found</body></html>");
        file.close();
        QCOMPARE(SkinArchive::install(page, m_themes, QStringLiteral("blue"), SkinArchive::defaultLimits()),
                 SkinArchive::Error::Unreadable);
        QCOMPARE(filesBelow(m_themes), QStringList({QStringLiteral("red/photo.jpg"), QStringLiteral("red/style.qss")}));
    }

    void leftoversOfAKilledInstallGo()
    {
        QVERIFY(QDir().mkpath(m_themes + QStringLiteral(".install-abc123/blue")));
        const QString package = m_downloads.path() + QStringLiteral("/blue.zip");
        QVERIFY(writeZip(package, goodSkin()));
        QCOMPARE(SkinArchive::install(package, m_themes, QStringLiteral("blue"), SkinArchive::defaultLimits()),
                 SkinArchive::Error::None);
        QVERIFY(!QFileInfo::exists(m_themes + QStringLiteral(".install-abc123")));
    }

    void sheetsReferOnlyToTheirOwnFolder_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("confined");
        const auto row = [](const char *name, const char *sheet, const char *confined) {
            QTest::newRow(name) << QString::fromUtf8(sheet) << QString::fromUtf8(confined);
        };
        row("no reference", "QWidget { color: red; }", "QWidget { color: red; }");
        row("own picture", "a { image: url(photo.jpg); }", "a { image: url(\"/t/blue/photo.jpg\"); }");
        row("quoted, spaced", "a{image:url( 'x/p.png' )}", "a{image:url(\"/t/blue/x/p.png\")}");
        row("absolute", "a{image:url(/etc/shadow)}", "a{image:none}");
        row("device, upper case", "a{border-image:URL(\"/dev/urandom\")}", "a{border-image:none}");
        row("climb", "a{image:url(../../vmgamebox.db)}", "a{image:none}");
        row("climb from inside", "a{image:url(x/../../y)}", "a{image:none}");
        row("scheme", "a{image:url(file:///etc/passwd)}", "a{image:none}");
        row("resource", "a{image:url(:/x.png)}", "a{image:none}");
        row("inside a property sheet", "a{qproperty-styleSheet:\"b{image:url(/etc/shadow)}\"}",
            "a{qproperty-styleSheet:\"b{image:none}\"}");
        row("escapes refuse the sheet", "a{image:u\\72l(/etc/shadow)}", "");
        row("unclosed refuses the sheet", "a{image:url('/etc/shadow", "");
    }

    void sheetsReferOnlyToTheirOwnFolder()
    {
        QFETCH(QString, sheet);
        QFETCH(QString, confined);
        QCOMPARE(SkinStyle::confinedSheet(sheet, QStringLiteral("/t/blue/")), confined);
    }

    void skinNames_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("name");
        QTest::newRow("package") << QStringLiteral("http://p/skins/blue.zip") << QStringLiteral("blue");
        QTest::newRow("query") << QStringLiteral("http://p/skins/blue.zip?v=2") << QStringLiteral("blue");
        QTest::newRow("upper-case extension") << QStringLiteral("http://p/skins/blue.ZIP") << QStringLiteral("blue");
        QTest::newRow("chinese") << QStringLiteral("http://p/skins/蓝色.zip") << QStringLiteral("蓝色");
        QTest::newRow("encoded slashes") << QStringLiteral("http://p/skins/..%2F..%2Fevil.zip") << QStringLiteral("evil");
        QTest::newRow("encoded backslash") << QStringLiteral("http://p/skins/a%5C..%5Cb.zip") << QStringLiteral("");
        QTest::newRow("dots") << QStringLiteral("http://p/skins/..zip") << QStringLiteral("");
        QTest::newRow("no name") << QStringLiteral("http://p/skins/.zip") << QStringLiteral("");
        QTest::newRow("no zip") << QStringLiteral("http://p/skins/blue") << QStringLiteral("");
        QTest::newRow("too long") << QStringLiteral("http://p/") + QString(65, QLatin1Char('a')) + QStringLiteral(".zip") << QStringLiteral("");
    }

    void skinNames()
    {
        QFETCH(QString, url);
        QFETCH(QString, name);
        QCOMPARE(SkinStyle::nameFromPackageUrl(QUrl(url)), name);
    }

    void storedNamesStayInThemes_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("directory");
        QTest::newRow("skin") << QStringLiteral("blue") << QStringLiteral("blue/");
        QTest::newRow("default") << QStringLiteral("default") << QStringLiteral("");
        QTest::newRow("absent") << QStringLiteral("") << QStringLiteral("");
        QTest::newRow("climb") << QStringLiteral("../../etc") << QStringLiteral("");
        QTest::newRow("absolute") << QStringLiteral("/etc") << QStringLiteral("");
    }

    void storedNamesStayInThemes()
    {
        QFETCH(QString, stored);
        QFETCH(QString, directory);
        const QString found = SkinStyle::directoryFor(stored);
        QCOMPARE(found, directory.isEmpty() ? QString() : m_themes + directory);
    }
};

QTEST_GUILESS_MAIN(TestSkinArchive)
#include "tst_skinarchive.moc"
