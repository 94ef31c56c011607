#include "account/accountoperations.h"
#include "net/networkcookie.h"
#include "net/portal.h"

#include <QtTest>

Q_DECLARE_METATYPE(AccountReply::Kind)

// How every login reads the gateway, and what a login writes into a jar.
class TestAccountOperations final : public QObject
{
    Q_OBJECT

private slots:
    void classifiesEachKindOfReply_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<AccountReply::Kind>("kind");
        QTest::addColumn<QString>("detail");   // word, or code|message
        const QByteArray identity =
            R"({"user_name":"korvo","user_id":10001,"user_token":"t","user_nick":"K","user_email":"k@x"})";
        QTest::newRow("nouser") << QByteArray("nouser") << AccountReply::Word << QStringLiteral("nouser");
        QTest::newRow("word after a byte-order mark") << QByteArray("\xEF\xBB\xBFpassword_error")
                                                      << AccountReply::Word << QStringLiteral("password_error");
        QTest::newRow("word of another operation") << QByteArray("username repeat") << AccountReply::Word
                                                   << QStringLiteral("username repeat");
        QTest::newRow("word with a newline is no word") << QByteArray("nouser\n") << AccountReply::Unreadable
                                                        << QString();
        QTest::newRow("error with message") << QByteArray(R"({"code":403,"msg":"账号被封"})") << AccountReply::Error
                                            << QStringLiteral("403|账号被封");
        QTest::newRow("error without message") << QByteArray(R"({"code":"x1"})") << AccountReply::Error
                                               << QStringLiteral("x1|");
        QTest::newRow("identity") << identity << AccountReply::Identity << QString();
        QTest::newRow("identity after a byte-order mark") << QByteArray("\xEF\xBB\xBF") + identity
                                                          << AccountReply::Identity << QString();
        QTest::newRow("a field missing") << QByteArray(R"({"user_name":"a","user_id":1,"user_token":"t","user_nick":"n"})")
                                         << AccountReply::Incomplete << QString();
        QTest::newRow("empty token") << QByteArray(identity).replace("\"t\"", "\"\"") << AccountReply::Incomplete
                                     << QString();
        QTest::newRow("array") << QByteArray("[1,2]") << AccountReply::Unreadable << QString();
        QTest::newRow("cut JSON") << identity.left(20) << AccountReply::Unreadable << QString();
        QTest::newRow("empty body") << QByteArray() << AccountReply::Unreadable << QString();
        // Identity members are strings or numbers of sane length, or the reply logs nobody in.
        for (const char *odd : {"true", "null", "{}", "[\"korvo\"]"}) {
            QTest::newRow(qPrintable(QStringLiteral("name ") + QLatin1String(odd)))
                << QByteArray(identity).replace("\"korvo\"", odd) << AccountReply::Unreadable << QString();
        }
        QTest::newRow("nick of 256") << QByteArray(identity).replace("\"K\"", '"' + QByteArray(256, 'k') + '"')
                                     << AccountReply::Identity << QString();
        QTest::newRow("e-mail of 257") << QByteArray(identity).replace("\"k@x\"", '"' + QByteArray(257, 'k') + '"')
                                       << AccountReply::Unreadable << QString();
        QTest::newRow("repeated key") << QByteArray(identity).replace("{", R"({"x":{},"x":{},)")
                                      << AccountReply::Unreadable << QString();
    }

    void classifiesEachKindOfReply()
    {
        QFETCH(QByteArray, body);
        QFETCH(AccountReply::Kind, kind);
        QFETCH(QString, detail);
        const AccountReply reply = AccountOperations::classify(body);
        QCOMPARE(reply.kind, kind);
        if (kind == AccountReply::Word)
            QCOMPARE(reply.word, detail);
        if (kind == AccountReply::Error)
            QCOMPARE(reply.code + QLatin1Char('|') + reply.message, detail);
        if (kind == AccountReply::Identity)
            QCOMPARE(AccountOperations::identityOf(reply.object).userId, QStringLiteral("10001"));
    }

    void sealsTheSpecifiedTexts()
    {
        QCOMPARE(AccountOperations::loginText(QStringLiteral("korvo"), QStringLiteral("d1")),
                 QStringLiteral("datatype=user&sign=user_login&user_name=korvo&user_pass=d1&key=KXPL-brimadq7ve5"));
        QCOMPARE(AccountOperations::registerText(QStringLiteral("10001"), QStringLiteral("alt"), QStringLiteral("d2")),
                 QStringLiteral("datatype=user&sign=user_register&user_large_id=10001&user_name=alt&user_pass=d2"
                                "&key=KXPL-brimadq7ve5"));
    }

    void loginInfoDefaultsMissingFiguresToZero()
    {
        const AccountReply reply = AccountOperations::classify(
            R"({"user_name":"a","user_id":"7","user_token":"t","user_nick":"N","user_email":"",)"
            R"("user_info":{"level":3,"points":"12.5"}})");
        const QMap<QString, QString> info = AccountOperations::loginInfo(reply.object);
        QCOMPARE(info.value(QStringLiteral("user_nick")), QStringLiteral("N"));
        QCOMPARE(info.value(QStringLiteral("level")), QStringLiteral("3"));
        QCOMPARE(info.value(QStringLiteral("points")), QStringLiteral("12.5"));
        QCOMPARE(info.value(QStringLiteral("balance")), QStringLiteral("0"));
        QCOMPARE(AccountOperations::loginInfo(QJsonObject{{QStringLiteral("user_info"), 5}})
                     .value(QStringLiteral("level")),
                 QStringLiteral("0"));
    }

    void digestAndNameRules()
    {
        QCOMPARE(AccountOperations::passwordDigest(QStringLiteral("korvo123")),
                 QStringLiteral("132662596afc20bbe27bc7322d7da683"));
        QCOMPARE(AccountOperations::passwordDigest(QStringLiteral("密码")).size(), 32);
        QVERIFY(AccountOperations::hasChineseCharacter(QStringLiteral("abc玩家")));
        QVERIFY(!AccountOperations::hasChineseCharacter(QStringLiteral("abc《》")));
    }

    void mainRowKeepsAStoredDigestWhenNoneIsGiven()
    {
        const QJsonObject reply{{QStringLiteral("user_id"), 10001}, {QStringLiteral("user_name"), QStringLiteral("k")}};
        const AccountRow withDigest = AccountOperations::mainAccountRow(reply, QStringLiteral("d"), true, false);
        QCOMPARE(withDigest.value(QStringLiteral("user_pass")), QStringLiteral("d"));
        QCOMPARE(withDigest.value(QStringLiteral("user_id")), QStringLiteral("10001"));
        QCOMPARE(withDigest.value(QStringLiteral("remember_me")) + withDigest.value(QStringLiteral("auto_login"))
                     + withDigest.value(QStringLiteral("is_main")),
                 QStringLiteral("101"));
        QVERIFY(!AccountOperations::mainAccountRow(reply, QString(), true, true).contains(QStringLiteral("user_pass")));
    }

    void writesTheSevenIdentityCookies()
    {
        qputenv("KORVO_PORTAL_HOST", "www.example.com:8080");
        NetworkCookie jar(nullptr);
        Identity who;
        who.platUserId = QStringLiteral("p");
        who.userId = QStringLiteral("10001");
        who.userName = QStringLiteral("korvo");
        who.userEmail = QStringLiteral("k@x");
        who.userNick = QStringLiteral("科沃");
        who.userToken = QStringLiteral("tok");
        who.userLoginTime = QStringLiteral("2026-12-08 10:00:00");
        AccountOperations::writeIdentityCookies(&jar, who);
        qunsetenv("KORVO_PORTAL_HOST");

        const QStringList names = Identity::cookieNames();
        for (int i = 0; i < names.size(); ++i) {
            const QNetworkCookie cookie = jar.getCookie(names.at(i));
            QCOMPARE(QString::fromUtf8(cookie.value()), who.values().at(i));
            QCOMPARE(cookie.domain(), QStringLiteral("example.com"));
            QCOMPARE(cookie.path(), QStringLiteral("/"));
            QVERIFY2(cookie.isSessionCookie(), qPrintable(names.at(i)));
        }
    }
};

QTEST_GUILESS_MAIN(TestAccountOperations)
#include "tst_accountoperations.moc"
