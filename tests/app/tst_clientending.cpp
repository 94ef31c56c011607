#include "web/rememberedgames.h"
#include "app/settings.h"
#include "web/shortcuttoken.h"
#include "account/sqlite.h"
#include "standinportal.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

Q_DECLARE_METATYPE(GameTab)

// The real program against the stand-in portal, logged in with a game open,
// ended the way a desktop logout or a terminal ends it. It must end as it
// does through its own exit: with status 0, its single-instance socket and
// lock gone and the open game written, so that the next start offers that
// game. A kill (a crash) writes nothing, and must not leave the set that an
// older session stored to be offered as the last one.
class TestClientEnding final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void endedLikeAnyLogoutTheNextStartOffersItsGame_data();
    void endedLikeAnyLogoutTheNextStartOffersItsGame();

private:
    void startClient(QProcess &client, const QStringList &arguments);
    // Waits for a line of the client's log that starts with prefix; the rest of it.
    QString waitForLog(QProcess &client, const QString &prefix, int timeoutMs = 60000);
    QList<GameTab> stored() const;
    QString runtimeFile(const char *suffix) const;

    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<StandInPortal> m_portal;
    QTemporaryDir m_runtime;
};

namespace {
GameTab playedByKorvo(const QString &host, const QString &server)
{
    GameTab game;
    game.kind = QStringLiteral("play");
    game.host = host;
    game.serverId = server;
    game.account = QStringLiteral("korvo");
    game.mainAccount = true;
    return game;
}
}

void TestClientEnding::initTestCase()
{
    m_dir = std::make_unique<TestAppDir>();
    m_portal = std::make_unique<StandInPortal>(m_dir->path());
    QVERIFY(m_portal->start());
    QVERIFY(m_runtime.isValid());
    QVERIFY(QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    // The demo account, remembered for automatic login as the login dialog stores it.
    Sqlite store;
    QVERIFY(store.saveLogin({{QStringLiteral("user_id"), QStringLiteral("10001")},
                             {QStringLiteral("user_name"), QStringLiteral("korvo")},
                             {QStringLiteral("user_pass"),
                              QString::fromLatin1(QCryptographicHash::hash("korvo123", QCryptographicHash::Md5).toHex())},
                             {QStringLiteral("is_main"), QStringLiteral("1")},
                             {QStringLiteral("list"), QStringLiteral("1")},
                             {QStringLiteral("auto_login"), QStringLiteral("1")},
                             {QStringLiteral("remember_me"), QStringLiteral("1")},
                             {QStringLiteral("login_time"), QString::number(QDateTime::currentSecsSinceEpoch())}}));
}

QString TestClientEnding::runtimeFile(const char *suffix) const
{
    return m_runtime.filePath(QStringLiteral("KorvoClient") + QLatin1String(suffix));
}

void TestClientEnding::startClient(QProcess &client, const QStringList &arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KORVO_APP_DIR"), m_dir->path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("default.debug=true"));
    // A client ended by a signal while the engine's and the desktop bus's
    // threads are still busy can make the leak checker of a sanitizer build
    // fail itself ("LeakSanitizer has encountered a fatal error"): the clients
    // here are checked for memory errors; leaks are checked in-process by the
    // window tests.
    const QString sanitizer = env.value(QStringLiteral("ASAN_OPTIONS"));
    if (!sanitizer.isEmpty())
        env.insert(QStringLiteral("ASAN_OPTIONS"), sanitizer + QStringLiteral(":detect_leaks=0"));
    client.setProcessEnvironment(env);
    client.setProcessChannelMode(QProcess::MergedChannels);
    client.start(QStringLiteral(KORVO_BIN_DIR "/KorvoClient"), arguments);
}

QString TestClientEnding::waitForLog(QProcess &client, const QString &prefix, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        while (client.canReadLine()) {
            const QString line = QString::fromUtf8(client.readLine()).trimmed();
            if (line.startsWith(prefix))
                return line.mid(prefix.size());
        }
        if (client.state() == QProcess::NotRunning)
            break;
        client.waitForReadyRead(200);
    }
    return QStringLiteral("(no line \"%1\")").arg(prefix);
}

QList<GameTab> TestClientEnding::stored() const
{
    const Settings settings;
    return RememberedGames::load(&settings);
}

void TestClientEnding::endedLikeAnyLogoutTheNextStartOffersItsGame_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("endsCleanly");
    QTest::newRow("SIGTERM, as a logout or shutdown sends it") << int(SIGTERM) << true;
    QTest::newRow("SIGINT, as a terminal sends it") << int(SIGINT) << true;
    QTest::newRow("SIGKILL: a crash, which writes nothing") << int(SIGKILL) << false;
}

void TestClientEnding::endedLikeAnyLogoutTheNextStartOffersItsGame()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, endsCleanly);
    // What a session a week ago left; the token of the client's own shortcuts,
    // so that the address opens without a question.
    QString token;
    {
        Settings settings;
        RememberedGames::save(&settings, {playedByKorvo(QStringLiteral("longcheng"), QStringLiteral("204"))});
        token = ShortcutToken::of(&settings);
    }

    QProcess client;
    startClient(client, {QStringLiteral("korvo://play?account=korvo&host=xianxia&server=108&token=") + token});
    QVERIFY(client.waitForStarted(10000));
    QVERIFY2(waitForLog(client, QStringLiteral("GameOpener: opening")).contains(QLatin1String("108")),
             "the game of the address never opened");
    QVERIFY(QFileInfo::exists(runtimeFile(".socket")));

    QElapsedTimer ending;
    ending.start();
    ::kill(static_cast<pid_t>(client.processId()), signalNumber);
    QVERIFY(client.waitForFinished(30000));
    qInfo("ended %lld ms after the signal", static_cast<long long>(ending.elapsed()));
    if (endsCleanly) {
        QCOMPARE(client.exitStatus(), QProcess::NormalExit);
        // What the client said last, so that an ending that went wrong shows why.
        QVERIFY2(client.exitCode() == 0, client.readAll().right(6000).constData());
        QVERIFY2(!QFileInfo::exists(runtimeFile(".socket")), "the single-instance socket was left behind");
        QVERIFY2(!QFileInfo::exists(runtimeFile(".lock")), "the lock file was left behind");
        const QList<GameTab> games = stored();
        QCOMPARE(games.size(), 1);
        QCOMPARE(games.first().serverId, QStringLiteral("108"));
        QCOMPARE(games.first().account, QStringLiteral("korvo"));
    } else {
        QCOMPARE(client.exitStatus(), QProcess::CrashExit);
        QCOMPARE(stored(), QList<GameTab>{});
    }

    QProcess next;
    startClient(next, {});
    QVERIFY(next.waitForStarted(10000));
    const QString offer = waitForLog(next, QStringLiteral("SessionRestore: offer: "));
    if (endsCleanly)
        QVERIFY2(offer.startsWith(QLatin1String("play ")) && offer.endsWith(QLatin1String(" 108 korvo")), qPrintable(offer));
    else
        QCOMPARE(offer, QStringLiteral("none"));
    ::kill(static_cast<pid_t>(next.processId()), SIGTERM);
    QVERIFY(next.waitForFinished(30000));
    // What the client said last, when it did not end well.
    if (next.exitCode() != 0)
        qWarning().noquote() << QString::fromLocal8Bit(next.readAll().right(6000));
    QCOMPARE(next.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestClientEnding)
#include "tst_clientending.moc"
