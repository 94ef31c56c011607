#include "seconduser.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// Two real processes: the guard is only worth something across processes.
// Each test gives the copies a runtime, temp and cache folder of its own.
class TestSingleApplication final : public QObject
{
    Q_OBJECT

private:
    static bool waitForLine(QProcess &process, const QByteArray &line, int timeoutMs = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        QByteArray seen;
        while (timer.elapsed() < timeoutMs) {
            process.waitForReadyRead(100);
            seen += process.readAllStandardOutput();
            if (seen.split('\n').contains(line))
                return true;
            if (process.state() == QProcess::NotRunning && !process.bytesAvailable())
                break;
        }
        return seen.split('\n').contains(line);
    }

    QString path(const char *name) const { return m_root->filePath(QLatin1String(name)); }
    QString socketPath() const { return path("runtime") + QStringLiteral("/singleapp_probe.socket"); }

    void startProbe(QProcess &process, const QStringList &args = QStringList(), bool withRuntime = true,
                    const QStringList &extraEnvironment = QStringList())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString &entry : extraEnvironment)
            env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
        env.insert(QStringLiteral("TMPDIR"), path("tmp"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), path("cache"));
        if (withRuntime)
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime);
        else
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(PROBE_PATH), args);
    }

    static int modeOf(const QString &file)
    {
        struct stat info;
        return ::stat(QFile::encodeName(file).constData(), &info) == 0 ? static_cast<int>(info.st_mode & 0777) : -1;
    }

    // The second user can reach the test folder and write in tmp/, as in
    // /tmp, and has a folder "theirs" of its own; false when there is no
    // second user.
    bool shareWithSecondUser(QString *whyNot)
    {
        if (!SecondUser::ensure(whyNot))
            return false;
        const bool shared = ::chmod(QFile::encodeName(m_root->path()).constData(), 0755) == 0
            && ::chmod(QFile::encodeName(path("tmp")).constData(), 01777) == 0 && QDir().mkdir(path("theirs"))
            && SecondUser::chown(path("theirs"));
        if (!shared)
            *whyNot = QStringLiteral("the test folder cannot be shared with the second user");
        return shared;
    }

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_runtime;

private slots:
    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        for (const char *name : {"runtime", "tmp", "cache"})
            QVERIFY(QDir().mkdir(path(name)));
        QVERIFY(QFile::setPermissions(path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        m_runtime = path("runtime");
    }

    void cleanup() { m_root.reset(); }

    void secondStartWakesFirstAndExitsZero_data()
    {
        QTest::addColumn<QStringList>("secondArgs");
        QTest::addColumn<QStringList>("secondEnvironment");  // the desktop's activation token for the start
        const QString address = QStringLiteral("korvo://play?account=korvo_xh1&host=xianxia&server=108");
        QTest::newRow("no arguments: empty text sent") << QStringList() << QStringList();
        QTest::newRow("with an argument") << QStringList{QStringLiteral("--from-desktop")} << QStringList();
        QTest::newRow("a shortcut address, handed on") << QStringList{address} << QStringList();
        QTest::newRow("an address with a Wayland token")
            << QStringList{address} << QStringList{QStringLiteral("XDG_ACTIVATION_TOKEN=wl-token-17")};
        QTest::newRow("an X11 startup id, no address")
            << QStringList() << QStringList{QStringLiteral("DESKTOP_STARTUP_ID=launcher-12_TIME3456")};
    }

    void secondStartWakesFirstAndExitsZero()
    {
        QFETCH(QStringList, secondArgs);
        QFETCH(QStringList, secondEnvironment);
        QProcess first;
        startProbe(first);
        QVERIFY(waitForLine(first, "first"));

        QProcess second;
        startProbe(second, secondArgs, true, secondEnvironment);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(second.readAllStandardOutput().contains("second"));

        // The first copy's window hears the last argument of the second.
        QVERIFY(waitForLine(first, secondArgs.isEmpty() ? QByteArray("woken") : "woken " + secondArgs.last().toUtf8()));
        QVERIFY(first.waitForFinished(10000));
    }

    void staleSocketOfCrashedCopyIsTakenOver()
    {
        QProcess crashed;
        startProbe(crashed);
        QVERIFY(waitForLine(crashed, "first"));
        crashed.kill();
        QVERIFY(crashed.waitForFinished(5000));
        QVERIFY2(QFileInfo::exists(socketPath()), "a killed copy leaves its socket behind");

        QProcess next;
        startProbe(next);
        QVERIFY2(waitForLine(next, "first"), "the next start must become the first copy");

        // And it really serves: a further start hands over to it.
        QProcess third;
        startProbe(third);
        QVERIFY(third.waitForFinished(10000));
        QCOMPARE(third.exitCode(), 0);
        QVERIFY(waitForLine(next, "woken"));
        QVERIFY(next.waitForFinished(10000));
    }

    // Five copies started at once, three times over (the later rounds find
    // the lock and the socket that the killed first copy left): each time
    // exactly one becomes the first, the others hand over to it and end.
    void simultaneousStartsLeaveOneFirstCopy()
    {
        for (int round = 0; round < 3; ++round) {
            std::vector<std::unique_ptr<QProcess>> copies;
            for (int i = 0; i < 10; ++i) {
                copies.push_back(std::make_unique<QProcess>());
                startProbe(*copies.back(), {QStringLiteral("--stay")});
            }
            const auto ended = [&copies] {
                return static_cast<int>(std::count_if(copies.begin(), copies.end(), [](const auto &copy) {
                    return copy->state() == QProcess::NotRunning;
                }));
            };
            QTRY_COMPARE_WITH_TIMEOUT(ended(), 9, 20000);
            QProcess *firstCopy = nullptr;
            for (const auto &copy : copies) {
                if (copy->state() != QProcess::NotRunning) {
                    firstCopy = copy.get();
                    continue;
                }
                QCOMPARE(copy->exitCode(), 0);
                QVERIFY(copy->readAllStandardOutput().contains("second"));
            }
            QVERIFY(firstCopy);
            QVERIFY(waitForLine(*firstCopy, "first"));
            firstCopy->kill();
            firstCopy->waitForFinished(5000);
        }
    }

    // The socket and the folder around it are the user's alone, whatever the umask.
    void socketIsTheUsersAloneUnderAnyUmask()
    {
        const mode_t previous = ::umask(0);
        QProcess first;
        startProbe(first, QStringList(), false);
        ::umask(previous);
        QVERIFY(waitForLine(first, "first"));
        const QString folder = path("tmp") + QStringLiteral("/korvo-%1").arg(::geteuid());
        QCOMPARE(QString::number(modeOf(folder), 8), QStringLiteral("700"));
        const int socketMode = modeOf(folder + QStringLiteral("/singleapp_probe.socket"));
        QVERIFY(socketMode >= 0);
        QCOMPARE(socketMode & 077, 0);
        first.kill();
        first.waitForFinished(5000);
    }

    void twoUsersEachRunTheirOwnCopy_data()
    {
        QTest::addColumn<bool>("withRuntime");  // else both meet in the shared temp folder
        QTest::newRow("each in their runtime folder") << true;
        QTest::newRow("no runtime folder: both in the temp folder") << false;
    }

    // Two users on one machine: the other user's start becomes a first copy of
    // its own beside this user's, and a second start of this user still hands
    // over to this user's copy, not to theirs.
    void twoUsersEachRunTheirOwnCopy()
    {
        QFETCH(bool, withRuntime);
        QString whyNot;
        if (!shareWithSecondUser(&whyNot))
            QSKIP(qPrintable(whyNot));
        QVERIFY(::chmod(QFile::encodeName(path("theirs")).constData(), 0700) == 0);

        QProcess mine;
        startProbe(mine, QStringList(), withRuntime);
        QVERIFY(waitForLine(mine, "first"));

        // The other user has no way into this user's X server: no window system for it.
        QProcess theirs;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("TMPDIR"), path("tmp"));
        env.insert(QStringLiteral("HOME"), path("theirs"));
        env.remove(QStringLiteral("XDG_CACHE_HOME"));
        if (withRuntime)
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("theirs"));
        else
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        theirs.setProcessEnvironment(env);
        theirs.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        SecondUser::start(theirs, QStringLiteral(PROBE_PATH), QStringList());
        QVERIFY2(waitForLine(theirs, "first"), "the other user's start did not get a copy of its own");

        QProcess again;
        startProbe(again, QStringList(), withRuntime);
        QVERIFY(again.waitForFinished(10000));
        QCOMPARE(again.exitCode(), 0);
        QVERIFY(again.readAllStandardOutput().contains("second"));
        QVERIFY(waitForLine(mine, "woken"));
        QVERIFY(mine.waitForFinished(10000));
        QVERIFY2(theirs.state() == QProcess::Running && !theirs.readAllStandardOutput().contains("woken"),
                 "this user's second start reached the other user's copy");
        theirs.kill();
        theirs.waitForFinished(5000);
    }

    void anotherUsersSocketIsNeverTrusted_data()
    {
        QTest::addColumn<QString>("planted");    // below the test folder
        QTest::addColumn<bool>("theirRuntime");  // XDG_RUNTIME_DIR is the other user's folder
        QTest::newRow("fixed name in the temp folder") << "tmp/singleapp_probe" << false;
        QTest::newRow("in their runtime folder") << "theirs/singleapp_probe.socket" << true;
    }

    // Another user's program listening where the client might look: every
    // start still becomes the first copy, never connects to it and never
    // removes it.
    void anotherUsersSocketIsNeverTrusted()
    {
        QFETCH(QString, planted);
        QFETCH(bool, theirRuntime);
        QString whyNot;
        if (!shareWithSecondUser(&whyNot))
            QSKIP(qPrintable(whyNot));
        if (theirRuntime)
            m_runtime = path("theirs");

        QProcess planter;
        planter.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        SecondUser::start(planter, QStringLiteral(PLANTER_PATH), {m_root->filePath(planted)});
        QVERIFY2(waitForLine(planter, "listening"), "the other user's program did not listen");

        QProcess start;
        startProbe(start);
        QVERIFY2(waitForLine(start, "first"), "a start took the other user's socket for a running copy");
        start.kill();
        start.waitForFinished(5000);
        QVERIFY(QFileInfo::exists(m_root->filePath(planted)));
        QVERIFY(!planter.readAllStandardOutput().contains("connected"));
        planter.kill();
        planter.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(TestSingleApplication)
#include "tst_singleapplication.moc"
