#include "app/instanceguard.h"
#include "app/messageconnection.h"
#include "seconduser.h"

#include <QDir>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// The guard in one process: which folder the copies meet in, and how the
// first copy reads what arrives on its socket. Two real copies are tested
// with the client's own start-up in tst_singleapplication.
class TestInstanceGuard final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void meetsInAFolderOfTheUsersOwn_data();
    void meetsInAFolderOfTheUsersOwn();
    void handOverDeliversTheText_data();
    void handOverDeliversTheText();
    void oversizedTextIsDroppedUnread();
    void idleConnectionsNeitherWakeNorHoldTheHandOver();

private:
    QString folder(const char *name) const { return m_root->filePath(QLatin1String(name)); }
    std::unique_ptr<InstanceGuard> firstGuard();

    std::unique_ptr<QTemporaryDir> m_root;
    QList<QByteArray> m_messages;
};

void TestInstanceGuard::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    QVERIFY(QDir().mkdir(folder("runtime")));
    QVERIFY(QDir().mkdir(folder("tmp")));
    QVERIFY(QDir().mkdir(folder("cache")));
    QVERIFY(QFile::setPermissions(folder("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", folder("runtime").toUtf8());
    qputenv("TMPDIR", folder("tmp").toUtf8());
    qputenv("XDG_CACHE_HOME", folder("cache").toUtf8());
    m_messages.clear();
}

void TestInstanceGuard::cleanup()
{
    for (const char *name : {"XDG_RUNTIME_DIR", "TMPDIR", "XDG_CACHE_HOME"})
        qunsetenv(name);
    m_root.reset();
}

std::unique_ptr<InstanceGuard> TestInstanceGuard::firstGuard()
{
    auto guard = std::make_unique<InstanceGuard>(QStringLiteral("guarded"));
    connect(guard.get(), &InstanceGuard::messageReceived, this, [this](const QByteArray &text) { m_messages << text; });
    return guard;
}

void TestInstanceGuard::meetsInAFolderOfTheUsersOwn_data()
{
    QTest::addColumn<QString>("runtime");      // XDG_RUNTIME_DIR, below the test folder
    QTest::addColumn<int>("runtimeMode");
    QTest::addColumn<bool>("runtimeOthers");   // the runtime folder belongs to the second user
    QTest::addColumn<bool>("tempSquatted");    // the second user made <temp>/korvo-<uid> first
    QTest::addColumn<QString>("chosen");       // below the test folder
    const QString own = QStringLiteral("tmp/korvo-%1").arg(::geteuid());
    const QString cached = QStringLiteral("cache/korvo-%1").arg(::geteuid());
    QTest::newRow("runtime folder") << "runtime" << 0700 << false << false << "runtime";
    QTest::newRow("runtime folder open to others") << "runtime" << 0755 << false << false << own;
    QTest::newRow("no runtime folder") << "" << 0700 << false << false << own;
    QTest::newRow("runtime folder missing") << "gone" << 0700 << false << false << own;
    QTest::newRow("runtime folder of another user") << "runtime" << 0700 << true << false << own;
    QTest::newRow("temp folder squatted") << "" << 0700 << false << true << cached;
}

void TestInstanceGuard::meetsInAFolderOfTheUsersOwn()
{
    QFETCH(QString, runtime);
    QFETCH(int, runtimeMode);
    QFETCH(bool, runtimeOthers);
    QFETCH(bool, tempSquatted);
    QFETCH(QString, chosen);
    QString whyNot;
    if ((runtimeOthers || tempSquatted) && !SecondUser::ensure(&whyNot))
        QSKIP(qPrintable(whyNot));
    const QByteArray runtimePath = QFile::encodeName(folder("runtime"));
    QVERIFY(::chmod(runtimePath.constData(), static_cast<mode_t>(runtimeMode)) == 0);
    if (runtimeOthers)
        QVERIFY(SecondUser::chown(folder("runtime")));
    if (tempSquatted) {
        const QString squat = folder("tmp") + QStringLiteral("/korvo-%1").arg(::geteuid());
        QVERIFY(QDir().mkdir(squat));
        QVERIFY(SecondUser::chown(squat));
    }
    qputenv("XDG_RUNTIME_DIR", runtime.isEmpty() ? QByteArray() : (m_root->path() + QLatin1Char('/') + runtime).toUtf8());

    const QString expected = m_root->path() + QLatin1Char('/') + chosen;
    QCOMPARE(InstanceGuard::runtimeFolder(), expected);
    struct stat info;
    QVERIFY(::stat(QFile::encodeName(expected).constData(), &info) == 0);
    QCOMPARE(QString::number(info.st_mode & 0777, 8), QStringLiteral("700"));
}

void TestInstanceGuard::handOverDeliversTheText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("nothing: a plain start") << QByteArray();
    QTest::newRow("an argument") << QByteArray("--from-desktop");
    QTest::newRow("the largest text") << QByteArray(MessageConnection::maxBytes, 'x');
}

void TestInstanceGuard::handOverDeliversTheText()
{
    QFETCH(QByteArray, text);
    auto first = firstGuard();
    QCOMPARE(first->claim(), InstanceGuard::First);
    QVERIFY(first->isListening());
    QCOMPARE(first->socketPath(), folder("runtime") + QStringLiteral("/guarded.socket"));

    InstanceGuard second(QStringLiteral("guarded"));
    QCOMPARE(second.claim(), InstanceGuard::Second);
    QVERIFY(!second.isListening());
    QVERIFY(second.handOver(text));
    QTRY_COMPARE(m_messages, QList<QByteArray>{text});
}

void TestInstanceGuard::oversizedTextIsDroppedUnread()
{
    auto first = firstGuard();
    first->setIdleTimeout(60000);
    QCOMPARE(first->claim(), InstanceGuard::First);
    QLocalSocket client;
    client.connectToServer(first->socketPath());
    QVERIFY(client.waitForConnected(5000));
    client.write(QByteArray(MessageConnection::maxBytes + 1, 'x'));
    // Long before the idle limit, the first copy hangs up on it.
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 20000);
    QVERIFY(m_messages.isEmpty());
}

// Thirty connections that send nothing once froze the first copy for thirty
// seconds, one second each. Now a real hand-over is served while all of them
// are still open, and each is dropped at the idle limit without a wake-up.
void TestInstanceGuard::idleConnectionsNeitherWakeNorHoldTheHandOver()
{
    auto first = firstGuard();
    first->setIdleTimeout(3000);
    QCOMPARE(first->claim(), InstanceGuard::First);
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 30; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(first->socketPath());
        QVERIFY(idle.back()->waitForConnected(5000));
    }
    int stillOpenAtWake = -1;
    connect(first.get(), &InstanceGuard::messageReceived, this, [&idle, &stillOpenAtWake] {
        stillOpenAtWake = static_cast<int>(std::count_if(idle.begin(), idle.end(), [](const auto &socket) {
            return socket->state() == QLocalSocket::ConnectedState;
        }));
    });

    InstanceGuard second(QStringLiteral("guarded"));
    QCOMPARE(second.claim(), InstanceGuard::Second);
    QVERIFY(second.handOver("wake"));
    QTRY_COMPARE(m_messages, QList<QByteArray>{"wake"});
    QCOMPARE(stillOpenAtWake, 30);

    for (const auto &socket : idle)
        QTRY_COMPARE_WITH_TIMEOUT(socket->state(), QLocalSocket::UnconnectedState, 20000);
    QCOMPARE(m_messages, QList<QByteArray>{"wake"});
}

QTEST_GUILESS_MAIN(TestInstanceGuard)
#include "tst_instanceguard.moc"
