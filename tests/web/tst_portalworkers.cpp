#include "web/backgroundtasks.h"
#include "web/gameurlgotointerceptorthread.h"
#include "standinportal.h"
#include "testsupport.h"
#include "web/threadgameidhostmap.h"
#include "web/urlrouter.h"
#include "web/urlrules.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

// The rules and the game-id map: one request each at start, read as untrusted.
class TestPortalWorkers final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_portal.start());
    }

    void rulesReplyIsWrittenOnlyWhenItHoldsRules_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QStringList>("patterns");
        // The ini file keeps its keys sorted: "host/..." before "pay/...".
        QTest::newRow("both groups") << QByteArray(R"({"pay":{"a":"x.*"},"host":{"b":"y.*"}})") << true
                                     << QStringList({QStringLiteral("y.*"), QStringLiteral("x.*")});
        QTest::newRow("numbers and odd names left out")
            << QByteArray(R"({"pay":{"a":5,"c/d":"z","ok":"w"},"host":[1]})") << true << QStringList({QStringLiteral("w")});
        QTest::newRow("not an object") << QByteArray("[]") << false << QStringList();
        QTest::newRow("a bare word") << QByteArray("failed") << false << QStringList();
    }

    void rulesReplyIsWrittenOnlyWhenItHoldsRules()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, written);
        QFETCH(QStringList, patterns);
        const QString file = m_app.filePath(QStringLiteral("rules-table.ini"));
        QFile::remove(file);
        QCOMPARE(UrlRules::writeReply(body, file), written);
        QCOMPARE(UrlRules::patterns(file), patterns);
    }

    void routerCompilesTheFileAgainOnlyWhenItChanges()
    {
        const QString file = m_app.filePath(QStringLiteral("rules-reload.ini"));
        QVERIFY(UrlRules::writeReply(R"({"pay":{"a":"x.*"}})", file));
        UrlRouter router;
        QVERIFY(router.reloadRulesIfChanged(file));
        QVERIFY(!router.reloadRulesIfChanged(file));
        QCOMPARE(router.ruleCount(), 1);
        QVERIFY(UrlRules::writeReply(R"({"host":{"b":"yy.*"}})", file));
        QVERIFY(router.reloadRulesIfChanged(file));
        QCOMPARE(router.ruleCount(), 2);
    }

    void workersFetchRulesAndMapAtStart()
    {
        QFile::remove(UrlRules::fileName());
        BackgroundTasks tasks;
        QSignalSpy written(tasks.startRulesWorker(), &GameUrlGotoInterceptorThread::signalRulesWritten);
        QHash<QString, QString> map;
        tasks.startGameIdMap(this, [&map](const QByteArray &reply) { map = ThreadGameIdHostMap::parseMap(reply); });
        QVERIFY(written.wait(15000));
        QCOMPARE(UrlRules::patterns(UrlRules::fileName()).size(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(!map.isEmpty(), 15000);
        QVERIFY(std::all_of(map.cbegin(), map.cend(), [](const QString &host) { return !host.isEmpty(); }));
        tasks.stopAll();
        QCOMPARE(tasks.runningCount(), 0);
    }

    void mapKeepsOnlyTextHosts()
    {
        const auto map = ThreadGameIdHostMap::parseMap(R"({"7":"xianxia","8":{"x":1},"9":null,"10":12})");
        QCOMPARE(map.value(QStringLiteral("7")), QStringLiteral("xianxia"));
        QCOMPARE(map.value(QStringLiteral("10")), QStringLiteral("12"));
        QCOMPARE(map.size(), 2);
        QVERIFY(ThreadGameIdHostMap::parseMap("not json").isEmpty());
    }

private:
    TestAppDir m_app;
    StandInPortal m_portal{m_app.path()};
};

QTEST_GUILESS_MAIN(TestPortalWorkers)
#include "tst_portalworkers.moc"
