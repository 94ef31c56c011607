#include "logcapture.h"
#include "net/portal.h"
#include "net/rsasignature.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {
const QString kDigest = QStringLiteral("0b5ac9c2c5a3e0ba4b2d10a1c0b5a4f7");
}

// The envelope as the portal opens it: every piece decrypted with the private
// key by the openssl tool, the pieces' texts joined.
class TestRSASignature final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void envelopeOpensToTheText_data();
    void envelopeOpensToTheText();
    void noUsableKeyGivesEmptyEnvelope_data();
    void noUsableKeyGivesEmptyEnvelope();
    void replacedKeyIsPickedUp();
    void gatewayUrlEscapesTheEnvelope_data();
    void gatewayUrlEscapesTheEnvelope();

private:
    bool openssl(const QStringList &args, QByteArray *out = nullptr);
    bool makeKeyPair(const QString &privateName);
    QByteArray openEnvelope(const QByteArray &envelope, const QString &privateName, int *pieces);

    TestAppDir m_app;
};

bool TestRSASignature::openssl(const QStringList &args, QByteArray *out)
{
    QProcess process;
    process.setWorkingDirectory(m_app.path());
    process.start(QStringLiteral("openssl"), args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        qWarning() << "openssl" << args << process.readAllStandardError();
        return false;
    }
    if (out)
        *out = process.readAllStandardOutput();
    return true;
}

bool TestRSASignature::makeKeyPair(const QString &privateName)
{
    QFile::remove(m_app.filePath(privateName));
    return openssl({QStringLiteral("genpkey"), QStringLiteral("-algorithm"), QStringLiteral("RSA"), QStringLiteral("-pkeyopt"), QStringLiteral("rsa_keygen_bits:2048"), QStringLiteral("-out"), privateName})
        && openssl({QStringLiteral("pkey"), QStringLiteral("-in"), privateName, QStringLiteral("-pubout"), QStringLiteral("-out"), QStringLiteral("public_key_korvo.pem")});
}

QByteArray TestRSASignature::openEnvelope(const QByteArray &envelope, const QString &privateName,
                                          int *pieces)
{
    *pieces = 0;
    QByteArray plain;
    if (envelope.isEmpty())
        return plain;
    const QString piecePath = m_app.filePath(QStringLiteral("piece.bin"));
    for (const QByteArray &piece : envelope.split(',')) {
        const QByteArray cipher = QByteArray::fromBase64(piece);
        // A 2048-bit key seals every chunk into 256 bytes.
        if (cipher.size() != 256 || cipher.toBase64() != piece)
            return "<malformed piece>";
        QFile file(piecePath);
        if (!file.open(QIODevice::WriteOnly) || file.write(cipher) != cipher.size())
            return "<cannot write piece>";
        file.close();
        QByteArray text;
        if (!openssl({QStringLiteral("pkeyutl"), QStringLiteral("-decrypt"), QStringLiteral("-inkey"), privateName, QStringLiteral("-pkeyopt"),
                      QStringLiteral("rsa_padding_mode:pkcs1"), QStringLiteral("-in"), piecePath}, &text))
            return "<piece does not decrypt>";
        plain += text;
        ++*pieces;
    }
    return plain;
}

void TestRSASignature::initTestCase()
{
    QVERIFY(m_app.isValid());
    QVERIFY(makeKeyPair(QStringLiteral("priv.pem")));
}

void TestRSASignature::envelopeOpensToTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("pieces");

    const QString login = Portal::accountText(QStringLiteral("user_login"),
                                              QStringLiteral("user_name=korvo&user_pass=") + kDigest);
    const QString text250 = QString(login + login + login + login).left(250);
    QTest::newRow("empty") << QString() << QByteArray() << 0;
    QTest::newRow("one byte") << QStringLiteral("d") << QByteArray("d") << 1;
    QTest::newRow("exactly 100") << text250.left(100) << text250.left(100).toLatin1() << 1;
    QTest::newRow("101 bytes") << text250.left(101) << text250.left(101).toLatin1() << 2;
    QTest::newRow("250 bytes") << text250 << text250.toLatin1() << 3;
    QTest::newRow("login text") << login << login.toLatin1() << 2;
    QTest::newRow("outside latin-1 becomes ?")
        << QStringLiteral("user_name=\u8d26\u53f7") << QByteArray("user_name=??") << 1;
}

void TestRSASignature::envelopeOpensToTheText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QFETCH(int, pieces);

    LogCapture log;
    const QByteArray envelope = RSASignature::encrypt(text);
    // The password digest and the API key stay out of the debug log.
    QCOMPARE(log.linesContaining(kDigest), QStringList());
    QCOMPARE(log.linesContaining(Portal::apiKey()), QStringList());
    int opened = -1;
    QCOMPARE(openEnvelope(envelope, QStringLiteral("priv.pem"), &opened), expected);
    QCOMPARE(opened, pieces);
}

void TestRSASignature::noUsableKeyGivesEmptyEnvelope_data()
{
    QTest::addColumn<QByteArray>("keyFile");   // empty: no file at all
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("not a key") << QByteArray("-----BEGIN PUBLIC KEY-----\nAAAA\n-----END PUBLIC KEY-----\n");
    QTest::newRow("empty file") << QByteArray("\n");
}

void TestRSASignature::noUsableKeyGivesEmptyEnvelope()
{
    QFETCH(QByteArray, keyFile);

    const QString keyPath = RSASignature::keyPath();
    const QString saved = m_app.filePath(QStringLiteral("saved.pem"));
    QFile::remove(saved);
    QVERIFY(QFile::rename(keyPath, saved));
    if (!keyFile.isEmpty()) {
        QFile file(keyPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(keyFile);
    }
    const QByteArray envelope = RSASignature::encrypt(QStringLiteral("datatype=user&sign=user_login"));
    const QByteArray piece = RSASignature::encryptChunk("abc", keyPath);
    QFile::remove(keyPath);
    QVERIFY(QFile::rename(saved, keyPath));

    QVERIFY(envelope.isEmpty());
    QVERIFY(piece.isNull());
    // The restored key works again at once.
    int pieces = 0;
    QCOMPARE(openEnvelope(RSASignature::encrypt(QStringLiteral("back")), QStringLiteral("priv.pem"), &pieces),
             QByteArray("back"));
}

void TestRSASignature::replacedKeyIsPickedUp()
{
    int pieces = 0;
    const QString text = QStringLiteral("datatype=user&sign=user_checkloginstatus");
    QCOMPARE(openEnvelope(RSASignature::encrypt(text), QStringLiteral("priv.pem"), &pieces), text.toLatin1());

    QVERIFY(makeKeyPair(QStringLiteral("priv2.pem")));
    QCOMPARE(openEnvelope(RSASignature::encrypt(text), QStringLiteral("priv2.pem"), &pieces), text.toLatin1());
    QCOMPARE(openEnvelope(RSASignature::encryptChunk("chunk", RSASignature::keyPath()),
                          QStringLiteral("priv2.pem"), &pieces),
             QByteArray("chunk"));
    QVERIFY(QFile::remove(m_app.filePath(QStringLiteral("priv.pem"))));
    QVERIFY(QFile::rename(m_app.filePath(QStringLiteral("priv2.pem")), m_app.filePath(QStringLiteral("priv.pem"))));
}

void TestRSASignature::gatewayUrlEscapesTheEnvelope_data()
{
    QTest::addColumn<QByteArray>("envelope");
    QTest::addColumn<QByteArray>("query");
    QTest::newRow("separators") << QByteArray("ab+c/d==,ef") << QByteArray("appData=ab%2Bc%2Fd%3D%3D%2Cef");
    QTest::newRow("plain base64") << QByteArray("QUJD") << QByteArray("appData=QUJD");
    QTest::newRow("empty") << QByteArray() << QByteArray("appData=");
}

void TestRSASignature::gatewayUrlEscapesTheEnvelope()
{
    QFETCH(QByteArray, envelope);
    QFETCH(QByteArray, query);

    const QUrl url = Portal::accountUrl(envelope);
    QCOMPARE(url.query(QUrl::FullyEncoded).toLatin1(), query);
    QCOMPARE(url.path(), QStringLiteral("/DODev_C/boxInit.php"));
    // What goes on the wire decodes back to the envelope unchanged.
    QCOMPARE(QByteArray::fromPercentEncoding(url.query(QUrl::FullyEncoded).toLatin1().mid(8)), envelope);
}

QTEST_GUILESS_MAIN(TestRSASignature)
#include "tst_rsasignature.moc"
