#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// A client started where it cannot write: a read-only application directory
// (a read-only bind mount, which stops root too) moves what the client writes
// to the user's data directory; a read-only database file says so.
class TestReadOnlyStorage final : public QObject
{
    Q_OBJECT

private:
    static int modeOf(const QString &path)
    {
        struct stat info;
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? static_cast<int>(info.st_mode & 0777) : -1;
    }

private slots:
    void writesWhereItCanAndSaysWhereItCannot_data()
    {
        QTest::addColumn<QString>("readOnly");   // "", "app" or "database"
        QTest::addColumn<bool>("userDataDir");   // the files go to $XDG_DATA_HOME/storage_probe
        QTest::addColumn<QString>("report");     // what the probe says about the account
        QTest::newRow("writable application directory") << "" << false << "saved 1";
        QTest::newRow("read-only application directory") << "app" << true << "saved 1";
        QTest::newRow("read-only database file") << "database" << false << "problem ReadOnly\nsaved 0";
    }

    void initTestCase()
    {
        if (QProcess::execute(QStringLiteral("unshare"), {QStringLiteral("--mount"), QStringLiteral("true")}) != 0)
            QSKIP("no mount namespace of its own here: unshare --mount is refused");
    }

    void writesWhereItCanAndSaysWhereItCannot()
    {
        QFETCH(QString, readOnly);
        QFETCH(bool, userDataDir);
        QFETCH(QString, report);
        QTemporaryDir root;
        const QString app = root.filePath(QStringLiteral("app"));
        const QString data = root.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(app));
        const QString database = app + QStringLiteral("/vmgamebox.db");
        if (readOnly == QLatin1String("database")) {
            QVERIFY(QFile(database).open(QIODevice::WriteOnly));
            QVERIFY(QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner));
        }
        const QString target = readOnly == QLatin1String("app") ? app : database;

        QProcess probe;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KORVO_APP_DIR"), app);
        env.insert(QStringLiteral("XDG_DATA_HOME"), data);
        probe.setProcessEnvironment(env);
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // A mount namespace of its own: the read-only mount is seen by the probe alone.
        const QString script = QStringLiteral(
            "if [ -n \"$1\" ]; then mount --bind -o ro \"$1\" \"$1\" || exit 77; fi; shift; exec \"$@\"");
        probe.start(QStringLiteral("unshare"), {QStringLiteral("--mount"), QStringLiteral("sh"), QStringLiteral("-c"),
                                                script, QStringLiteral("sh"), readOnly.isEmpty() ? QString() : target,
                                                QStringLiteral(PROBE_PATH)});
        QVERIFY(probe.waitForFinished(20000));
        if (probe.exitCode() == 77)
            QSKIP("a read-only bind mount is refused here");
        QCOMPARE(probe.exitCode(), 0);

        const QString files = userDataDir ? data + QStringLiteral("/storage_probe") : app;
        const QString output = QString::fromUtf8(probe.readAllStandardOutput()).trimmed();
        QCOMPARE(output, QStringLiteral("data ") + files + QLatin1Char('\n') + report);
        for (const char *name : {"velmorbox.ini", "vmgamebox.db"})
            QCOMPARE(QString::number(modeOf(files + QLatin1Char('/') + QLatin1String(name)), 8), QStringLiteral("600"));
        if (userDataDir) {
            QCOMPARE(QString::number(modeOf(files), 8), QStringLiteral("700"));
            QCOMPARE(QDir(app).entryList(QDir::Files | QDir::Hidden), QStringList());
        }
    }
};

QTEST_GUILESS_MAIN(TestReadOnlyStorage)
#include "tst_readonlystorage.moc"
