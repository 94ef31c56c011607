#include "net/networkcookie.h"
#include "net/session.h"

#include <QPointer>
#include <QtTest>

// Who is logged in, answered from the session's jar. A jar without a store
// keeps its cookies itself, so no web engine is needed.
class TestSession final : public QObject
{
    Q_OBJECT

private:
    static NetworkCookie *jarWith(const QStringList &names)
    {
        auto *jar = new NetworkCookie(nullptr);
        for (const QString &name : names)
            jar->setCookie(name, name + QStringLiteral("-value"), QStringLiteral("/"), 0, QString(), false, false);
        return jar;
    }

private slots:
    void loggedInNeedsNameIdAndToken_data()
    {
        QTest::addColumn<QStringList>("cookies");
        QTest::addColumn<bool>("loggedIn");
        const QString name = QStringLiteral("user_name"), id = QStringLiteral("user_id"),
                      token = QStringLiteral("user_token");
        QTest::newRow("all three") << QStringList{name, id, token} << true;
        QTest::newRow("no name") << QStringList{id, token} << false;
        QTest::newRow("no id") << QStringList{name, token} << false;
        QTest::newRow("no token") << QStringList{name, id} << false;
        QTest::newRow("nothing") << QStringList() << false;
    }

    void loggedInNeedsNameIdAndToken()
    {
        QFETCH(QStringList, cookies);
        QFETCH(bool, loggedIn);
        Session session;
        QVERIFY(!session.isLoggedIn());
        session.setCookieJar(jarWith(cookies));
        QCOMPARE(session.isLoggedIn(), loggedIn);
    }

    void identityReadsAllSevenCookies()
    {
        Session session;
        session.setCookieJar(jarWith(Identity::cookieNames()));
        const Identity who = session.identity();
        QStringList expected;
        for (const QString &name : Identity::cookieNames())
            expected << name + QStringLiteral("-value");
        QCOMPARE(who.values(), expected);
        QCOMPARE(who.userToken, QStringLiteral("user_token-value"));
    }

    void aReplacedOrDeletedJarIsNotUsed()
    {
        Session session;
        QPointer<NetworkCookie> first = jarWith(Identity::cookieNames());
        session.setCookieJar(first);
        session.setCookieJar(jarWith({}));
        QVERIFY(!first);
        QVERIFY(!session.isLoggedIn());

        delete session.cookieJar();
        QCOMPARE(session.cookieJar(), nullptr);
        QVERIFY(!session.isLoggedIn());
        // Without a store there is nothing to start a new jar over.
        QCOMPARE(session.ensureCookieJar(), nullptr);
    }

    void resetLogsOut()
    {
        Session session;
        QPointer<NetworkCookie> jar = jarWith(Identity::cookieNames());
        session.setCookieJar(jar);
        QVERIFY(session.isLoggedIn());
        session.resetCookieJar();
        QVERIFY(!jar);
        QVERIFY(!session.isLoggedIn());
        QCOMPARE(session.cookieValue(QStringLiteral("user_name")), QString());
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
