#include "web/external.h"

#include <QSignalSpy>
#include <QtTest>

// Which signal each call of a page becomes.
class TestExternal final : public QObject
{
    Q_OBJECT

private slots:
    void openGameChoosesBySpelledType_data()
    {
        QTest::addColumn<QString>("gameType");
        QTest::addColumn<int>("web");
        QTest::addColumn<int>("h5");
        QTest::addColumn<int>("app");
        QTest::newRow("h5") << QStringLiteral("h5") << 0 << 1 << 0;
        QTest::newRow("capital H is a web game") << QStringLiteral("H5") << 1 << 0 << 0;
        QTest::newRow("app") << QStringLiteral("app") << 0 << 0 << 1;
        QTest::newRow("empty") << QString() << 1 << 0 << 0;
    }

    void openGameChoosesBySpelledType()
    {
        QFETCH(QString, gameType);
        QFETCH(int, web);
        QFETCH(int, h5);
        QFETCH(int, app);
        External *external = External::instance();
        QSignalSpy webSpy(external, &External::signalOpenGame);
        QSignalSpy h5Spy(external, &External::signalOpenGame_h5);
        QSignalSpy appSpy(external, &External::signalOpenGame_app);
        external->OpenGame(QStringLiteral("xianxia"), QStringLiteral("仙侠传说"), gameType);
        QCOMPARE(webSpy.count(), web);
        QCOMPARE(h5Spy.count(), h5);
        QCOMPARE(appSpy.count(), app);
        QSignalSpy *fired = web ? &webSpy : h5 ? &h5Spy : &appSpy;
        QCOMPARE(fired->first(), QVariantList({QStringLiteral("xianxia"), QStringLiteral("仙侠传说")}));
    }

    void openGameRefusesHostsThatAreNoPlainWord()
    {
        QSignalSpy web(External::instance(), &External::signalOpenGame);
        QSignalSpy app(External::instance(), &External::signalOpenGame_app);
        for (const QString &host : {QStringLiteral("../pay"), QStringLiteral("x&user_id=1"), QStringLiteral("a/b"),
                                    QString(), QStringLiteral("游戏"), QStringLiteral("x").repeated(65)}) {
            External::instance()->OpenGame(host, QStringLiteral("g"), QString());
            External::instance()->OpenGame(host, QStringLiteral("g"), QStringLiteral("app"));
        }
        QCOMPARE(web.count() + app.count(), 0);
        External::instance()->OpenGame(QStringLiteral("long-cheng_2"), QStringLiteral("g"), QString());
        QCOMPARE(web.count(), 1);
    }

    void overlongArgumentsAreRefused_data()
    {
        QTest::addColumn<int>("argument");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("passed");
        // OpenGame(host, game, type), then OpenUrl(url, option).
        QTest::newRow("game name of 5 Mi characters") << 1 << 5 * 1024 * 1024 << false;
        QTest::newRow("game name at the limit") << 1 << External::maxGameLength << true;
        QTest::newRow("game name past the limit") << 1 << External::maxGameLength + 1 << false;
        QTest::newRow("game type past the limit") << 2 << External::maxOptionLength + 1 << false;
        QTest::newRow("address at the limit") << 3 << External::maxUrlLength << true;
        QTest::newRow("address past the limit") << 3 << External::maxUrlLength + 1 << false;
        QTest::newRow("option past the limit") << 4 << External::maxOptionLength + 1 << false;
    }

    void overlongArgumentsAreRefused()
    {
        QFETCH(int, argument);
        QFETCH(int, length);
        QFETCH(bool, passed);
        QStringList args = {QStringLiteral("xianxia"), QStringLiteral("仙侠"), QString(),
                            QStringLiteral("http://p/skins/blue.zip"), QStringLiteral("blue")};
        args[argument] = QString(length, QChar(0x6e38));
        if (argument == 3)
            args[3] = QStringLiteral("http://p/") + QString(length - 9, QLatin1Char('a'));
        External *external = External::instance();
        QSignalSpy game(external, &External::signalOpenGame);
        QSignalSpy url(external, &External::signalOpenUrl);
        external->OpenGame(args[0], args[1], args[2]);
        external->OpenUrl(args[3], args[4]);
        QCOMPARE(game.count() + url.count(), passed ? 2 : 1);
    }

    void pagesCanCallEveryMethodByName()
    {
        // The channel reaches slots by name: a renamed one would leave pages calling nothing.
        const QMetaObject *meta = External::instance()->metaObject();
        for (const char *method : {"OpenGame(QString,QString,QString)", "GetHttpData(QString)", "Sign()",
                                   "OpenUrl(QString,QString)", "OpenJFSC()", "LoginOut()", "SwitchUser()",
                                   "PaySubmit()"})
            QVERIFY2(meta->indexOfSlot(method) >= 0, method);
    }
};

QTEST_GUILESS_MAIN(TestExternal)
#include "tst_external.moc"
