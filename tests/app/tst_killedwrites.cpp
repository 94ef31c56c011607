#include "testsupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QtTest>

// A client killed while it writes (a crash, a power cut, kill -9) leaves its
// account store and its settings whole: every row old or new, never torn.
class TestKilledWrites final : public QObject
{
    Q_OBJECT

private slots:
    void killedAnywhereLeavesEverythingWhole()
    {
        TestAppDir dir;
        const QString db = dir.filePath(QStringLiteral("vmgamebox.db"));
        const QString ini = dir.filePath(QStringLiteral("velmorbox.ini"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("KORVO_APP_DIR"), dir.path());

        for (int round = 0; round < 100; ++round) {
            QProcess probe;
            probe.setProcessEnvironment(environment);
            // Its log of every statement is not wanted; a full pipe would stop it.
            probe.setStandardErrorFile(QProcess::nullDevice());
            probe.start(QStringLiteral(PROBE_PATH), QStringList());
            // A start that hangs on what the last one left behind never gets here.
            QVERIFY2(probe.waitForReadyRead(10000), qPrintable(QStringLiteral("start %1 hangs").arg(round)));
            QTest::qSleep(QRandomGenerator::global()->bounded(1, 40));
            probe.kill();
            QVERIFY(probe.waitForFinished(10000));

            QCOMPARE(sqliteTool(db, QStringLiteral("pragma integrity_check")), QStringLiteral("ok"));
            const QString torn = sqliteTool(db, QStringLiteral(
                "select count(*) from box_user where user_nick <> 'n' || substr(user_email, 1, instr(user_email, '@') - 1)"
                " or user_pass <> '0123456789abcdef0123456789abcdef'"));
            QCOMPARE(torn, QStringLiteral("0"));
            QVERIFY(sqliteTool(db, QStringLiteral("select count(*) from box_user")).toInt() >= 1);

            QSettings settings(ini, QSettings::IniFormat);
            QCOMPARE(settings.status(), QSettings::NoError);
            QCOMPARE(settings.value(QStringLiteral("common/skin")).toString(), QStringLiteral("default"));
            QCOMPARE(settings.value(QStringLiteral("probe/first")), settings.value(QStringLiteral("probe/second")));
        }
    }
};

QTEST_GUILESS_MAIN(TestKilledWrites)
#include "tst_killedwrites.moc"
