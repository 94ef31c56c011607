#include "net/bodydecoder.h"
#include "net/jsonkeycheck.h"
#include "net/portal.h"

#include <QJsonObject>
#include <QTest>

#include <zlib.h>

namespace {
QByteArray compressed(const QByteArray &data, int windowBits)
{
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(static_cast<int>(deflateBound(&stream, static_cast<uLong>(data.size()))) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(out.size() - static_cast<int>(stream.avail_out));
    deflateEnd(&stream);
    return out;
}
}

// Reply bodies as they arrive, and JSON texts before the parser sees them.
class TestReplyReading final : public QObject
{
    Q_OBJECT

private slots:
    void decodesWithinTheLimit_data()
    {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<QString>("outcome");   // ok, large, broken
        const QByteArray json = R"({"last_version":"1.5.1.4"})";
        const QByteArray zeros(3 * 1024 * 1024, '\0');
        QTest::newRow("plain") << QByteArray() << json << qint64(100) << "ok";
        QTest::newRow("identity") << QByteArray("identity") << json << qint64(100) << "ok";
        QTest::newRow("gzip") << QByteArray("gzip") << compressed(json, 15 + 16) << qint64(100) << "ok";
        QTest::newRow("deflate") << QByteArray("Deflate") << compressed(json, 15) << qint64(100) << "ok";
        QTest::newRow("plain past the limit") << QByteArray() << json << qint64(10) << "large";
        QTest::newRow("small gzip inflating past the limit")
            << QByteArray("gzip") << compressed(zeros, 15 + 16) << qint64(1024 * 1024) << "large";
        QTest::newRow("gzip cut short") << QByteArray("gzip") << compressed(json, 15 + 16).left(12) << qint64(100)
                                        << "broken";
        QTest::newRow("gzip that is none") << QByteArray("gzip") << json << qint64(100) << "broken";
        QTest::newRow("unknown encoding") << QByteArray("br") << json << qint64(100) << "broken";
    }

    void decodesWithinTheLimit()
    {
        QFETCH(QByteArray, encoding);
        QFETCH(QByteArray, wire);
        QFETCH(qint64, limit);
        QFETCH(QString, outcome);
        BodyDecoder decoder(limit);
        decoder.setEncoding(encoding);
        // In pieces, as the network hands them over.
        for (int at = 0; at < wire.size(); at += 7)
            decoder.feed(wire.mid(at, 7));
        const bool finished = decoder.finish();
        QCOMPARE(finished, outcome == QLatin1String("ok"));
        QCOMPARE(decoder.tooLarge(), outcome == QLatin1String("large"));
        QCOMPARE(decoder.broken(), outcome == QLatin1String("broken"));
        QVERIFY(decoder.body().size() <= limit);
        if (finished)
            QCOMPARE(decoder.body(), QByteArray(R"({"last_version":"1.5.1.4"})"));
    }

    void findsRepeatedKeys_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("repeated");
        QTest::newRow("distinct keys") << QByteArray(R"({"a":1,"b":{"a":2},"c":[{"a":3},{"a":4}]})") << false;
        QTest::newRow("key text as a value") << QByteArray(R"({"a":"a","b":["a","a"]})") << false;
        QTest::newRow("quotes and braces inside strings") << QByteArray("{\"a\":\"\\\"}{,\\\"a\\\":\",\"b\":1}") << false;
        QTest::newRow("at the top") << QByteArray(R"({"a":{},"b":1,"a":{}})") << true;
        QTest::newRow("in a nested object") << QByteArray(R"({"x":[1,{"k":[],"k":[]}]})") << true;
        QTest::newRow("escaped twin") << QByteArray(R"({"a":1,"\u0061":2})") << true;
        QTest::newRow("after a byte-order mark") << QByteArray("\xEF\xBB\xBF{\"a\":1,\"a\":1}") << true;
    }

    void findsRepeatedKeys()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, repeated);
        QCOMPARE(JsonKeyCheck::hasRepeatedKey(json), repeated);
        // Every reader goes through parseObject: a repeated key is no object.
        QJsonObject object;
        QCOMPARE(Portal::parseObject(json, &object), !repeated);
    }
};

QTEST_GUILESS_MAIN(TestReplyReading)
#include "tst_replyreading.moc"
