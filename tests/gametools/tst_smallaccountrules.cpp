#include "account/accountoperations.h"
#include "net/portal.h"
#include "gametools/screenshotshare.h"
#include "account/loginservice.h"
#include "gametools/smallaccountrules.h"

#include <QImage>
#include <QTest>
#include <QUrlQuery>

// The rules of the small-account windows and of screenshot sharing.
class TestSmallAccountRules final : public QObject
{
    Q_OBJECT

private slots:
    void addInput_data();
    void addInput();
    void replies_data();
    void replies();
    void userIds_data();
    void userIds();
    void collectionList_data();
    void collectionList();
    void addressesCarryValuesAsTyped();
    void screenshotRules();
};

void TestSmallAccountRules::addInput_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<bool>("registering");
    QTest::addColumn<QString>("message");
    QTest::newRow("no account") << "" << "pw" << "" << false << "账号或密码错误";
    QTest::newRow("no password") << "abcd" << "" << "" << true << "账号或密码错误";
    QTest::newRow("the main account") << "korvo" << "pw" << "pw" << false << "不能添加自己为小号";
    QTest::newRow("add mode checks no more") << "ab" << "pw" << "other" << false << "";
    // The ideograph is found before the passwords are compared.
    QTest::newRow("chinese name") << "abc小号" << "pw" << "other" << true << "不支持中文账号";
    QTest::newRow("passwords differ") << "abcd" << "pw" << "pw2" << true << "两次密码不一致";
    QTest::newRow("three characters") << "abc" << "pw" << "pw" << true << "账号不合法";
    QTest::newRow("four characters") << "abcd" << "pw" << "pw" << true << "";
}

void TestSmallAccountRules::addInput()
{
    QFETCH(QString, account);
    QFETCH(QString, password);
    QFETCH(QString, confirmation);
    QFETCH(bool, registering);
    QFETCH(QString, message);
    QCOMPARE(SmallAccountRules::addProblem(account, password, confirmation, QStringLiteral("korvo"), registering),
             message);
}

// One reply, read by the three small-account readers: the play login, the add
// check (outcome kind: 0 store, 1 register, 2 problem) and the registration.
// Each kind of login words a reply that logs nobody in its own way; the
// add dialog's registration has its own words too.
void TestSmallAccountRules::replies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("main");
    QTest::addColumn<QString>("small");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("registration");
    const QString broken = QStringLiteral("系统异常,请重新启动客户端");
    const QString unreadable = QStringLiteral("数据解析失败,请稍后重试");
    const QString addUnreadable = QStringLiteral("数据解析失败,请重启客户端后重试");
    const QString noIdentity = QStringLiteral("登录异常,请联系客服");
    const QByteArray identity = R"({"user_id":"10003","user_name":"x","user_nick":"n","user_email":"","user_token":"t"})";
    QTest::newRow("identity") << identity << "" << "" << "" << "";
    QTest::newRow("identity after a BOM") << QByteArray("\xEF\xBB\xBF") + identity << "" << "" << "" << "";
    QTest::newRow("params error") << QByteArray("params error") << "系统异常，请重启客户端后重试 "
                                  << "账号登录异常,请重新添加该账号" << "网络异常,请稍后重试" << "注册失败";
    QTest::newRow("nouser") << QByteArray("nouser") << "账号不存在!" << "账号不存在!" << "账号不存在!" << "";
    QTest::newRow("password_error") << QByteArray("password_error") << "密码错误!" << "密码错误!" << "密码错误!" << "";
    QTest::newRow("failed") << QByteArray("failed") << broken << unreadable << addUnreadable << "注册失败";
    QTest::newRow("username repeat") << QByteArray("username repeat") << broken << unreadable << addUnreadable
                                     << "账号名称已经存在";
    QTest::newRow("error object") << QByteArray(R"({"code":1001,"msg":"接口密钥错误"})") << "接口密钥错误"
                                  << "接口密钥错误" << "接口密钥错误" << "接口密钥错误";
    QTest::newRow("error without msg") << QByteArray(R"({"code":"E42"})") << "系统异常:E42" << unreadable
                                       << addUnreadable << "注册失败";
    QTest::newRow("no token") << QByteArray(R"({"user_id":"1","user_name":"x","user_nick":"","user_email":""})")
                              << noIdentity << unreadable << addUnreadable << "";
    QTest::newRow("array") << QByteArray("[1]") << broken << unreadable << addUnreadable << "";
    QTest::newRow("garbage") << QByteArray("<html>") << broken << unreadable << addUnreadable << "";
}

void TestSmallAccountRules::replies()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, main);
    QFETCH(QString, small);
    QFETCH(QString, check);
    QFETCH(QString, registration);
    const AccountReply answer = AccountOperations::classify(reply);
    QCOMPARE(LoginService::problemOf(answer, LoginService::MainAccount), main);
    QCOMPARE(LoginService::problemOf(answer, LoginService::SmallAccount), small);
    QCOMPARE(LoginService::problemOf(answer, LoginService::SmallAccountCheck), check);
    QCOMPARE(SmallAccountRules::registerProblem(answer), registration);
}

// A user id names a web profile: never "default", a path or an empty name.
void TestSmallAccountRules::userIds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("id") << "10003" << true;
    QTest::newRow("registered, not logged in") << "0" << false;
    QTest::newRow("main profile") << "default" << false;
    QTest::newRow("path") << "../10003" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("too long") << "12345678901234567890" << false;
}

void TestSmallAccountRules::userIds()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(LoginService::isUserId(text), valid);
}

void TestSmallAccountRules::collectionList_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("rows");
    const QByteArray server = R"({"id":"5","gid":"1","sid":"102","sname":"双线2服","game":{"name":"仙侠传说","host":"xianxia"}})";
    QTest::newRow("one server") << QByteArray("[" + server + "]") << true
                                << QStringList{QStringLiteral("仙侠传说 双线2服|1|102|xianxia|5")};
    // Numbers from some portal versions read as text; other elements are skipped.
    QTest::newRow("numbers and strays")
        << QByteArray(R"([7, "x", null, {"id":6,"gid":2,"sid":201,"sname":"s","game":{"name":"g","host":"h"}}])") << true
        << QStringList{QStringLiteral("g s|2|201|h|6")};
    QTest::newRow("empty") << QByteArray("[]") << true << QStringList();
    QTest::newRow("word") << QByteArray("params error") << false << QStringList();
    QTest::newRow("object") << QByteArray(R"({"id":"5"})") << false << QStringList();
    QTest::newRow("repeated key") << QByteArray(R"([{"id":"5","id":"6"}])") << false << QStringList();
}

void TestSmallAccountRules::collectionList()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, ok);
    QFETCH(QStringList, rows);
    bool read = !ok;
    QStringList seen;
    for (const CollectedServer &s : SmallAccountRules::collection(reply, &read))
        seen << QStringList{s.text, s.gameId, s.serverId, s.host, s.collectionId}.join(QLatin1Char('|'));
    QCOMPARE(read, ok);
    QCOMPARE(seen, rows);
}

void TestSmallAccountRules::addressesCarryValuesAsTyped()
{
    Identity who;
    who.userId = QStringLiteral("10001");
    who.userName = QStringLiteral("korvo");
    who.userToken = QStringLiteral("t&k=1");
    who.userEmail = QStringLiteral("a+b@x");
    const QString comment = QStringLiteral("a&b#c+d 好=");
    const QUrlQuery publish(ScreenshotShare::publishUrl(who, comment, QStringLiteral("/upload/1.jpg")));
    QCOMPARE(publish.queryItemValue(QStringLiteral("content"), QUrl::FullyDecoded), comment);
    QCOMPARE(publish.queryItemValue(QStringLiteral("account")), who.userName);
    QCOMPARE(publish.queryItemValue(QStringLiteral("attachment"), QUrl::FullyDecoded), QStringLiteral("/upload/1.jpg"));
    // "+" stays a plus: encoded, not left for the portal to read as a blank.
    QVERIFY(ScreenshotShare::publishUrl(who, comment, QString()).toEncoded().contains("content=a%26b%23c%2Bd"));

    const QUrlQuery play(SmallAccountRules::gamePlayUrl(QStringLiteral("102"), who));
    QCOMPARE(play.queryItemValue(QStringLiteral("user_token"), QUrl::FullyDecoded), who.userToken);
    QCOMPARE(play.queryItemValue(QStringLiteral("server_id")), QStringLiteral("102"));
    QCOMPARE(play.queryItemValue(QStringLiteral("action")), QStringLiteral("game_play"));
    const QUrlQuery list(SmallAccountRules::collectionUrl(QStringLiteral("1&user_id=2")));
    QCOMPARE(list.allQueryItemValues(QStringLiteral("user_id"), QUrl::FullyDecoded), QStringList{QStringLiteral("1&user_id=2")});
}

void TestSmallAccountRules::screenshotRules()
{
    QCOMPARE(ScreenshotShare::captureRect(QSize(1000, 600)), QRect(0, 38, 976, 562));
    QCOMPARE(ScreenshotShare::uploadDisposition(QStringLiteral("/home/me/secret/korvobox_1.jpg")),
             QStringLiteral("form-data; name=\"file\"; filename=\"korvobox_1.jpg\""));
    const QString pasted(150, QLatin1Char('x'));
    QCOMPARE(ScreenshotShare::cutComment(pasted).size(), 140);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QVERIFY(ScreenshotShare::isBlank(picture));
    picture.setPixel(39, 29, qRgb(0, 0, 0));
    QVERIFY(!ScreenshotShare::isBlank(picture));
    QVERIFY(ScreenshotShare::isBlank(QImage()));
}

QTEST_GUILESS_MAIN(TestSmallAccountRules)
#include "tst_smallaccountrules.moc"
