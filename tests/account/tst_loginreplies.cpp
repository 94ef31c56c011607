// What the login dialog says when the input or the portal's reply is wrong,
// and that the dialog works again after each.
#include "loginformfixture.h"

#include "logcapture.h"
#include "net/networkcookie.h"

#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace LoginFormTesting;

class TestLoginReplies final : public LoginFormFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { setUp(); }
    void init() { reset(); }
    void cleanup() { tearDown(); }

    void refusesBadInputBeforeSending_data();
    void refusesBadInputBeforeSending();
    void replyProblemsRestoreTheButton_data();
    void replyProblemsRestoreTheButton();
    void byteOrderMarkBeforeTheBodyStillLogsIn();
    void failedLoginLeavesTheNextWorking();
};

void TestLoginReplies::refusesBadInputBeforeSending_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << QString() << QStringLiteral("korvo123") << QStringLiteral("account or password error");
    QTest::newRow("placeholder") << QStringLiteral("请输入账号") << QStringLiteral("korvo123")
                                 << QStringLiteral("account or password error");
    QTest::newRow("no password") << QStringLiteral("korvo") << QStringLiteral("   ")
                                 << QStringLiteral("account or password error");
    QTest::newRow("chinese name") << QStringLiteral("korvo玩家") << QStringLiteral("korvo123")
                                  << QStringLiteral("盒子不支持中文账号");
}

void TestLoginReplies::refusesBadInputBeforeSending()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, message);
    enter(name, password);
    auto *button = child<QPushButton>("login_LoginBtn");
    button->click();
    // Nothing went out: the button never switched to waiting.
    QCOMPARE(button->text(), QStringLiteral("登录"));
    QVERIFY(button->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(noticeText(), message, 2000);
    QCOMPARE(noticeBox()->windowTitle(), QStringLiteral("提示"));
}

void TestLoginReplies::replyProblemsRestoreTheButton_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QJsonObject>("fault");
    QTest::addColumn<QString>("message");
    const QString korvo = QStringLiteral("korvo");
    const QString good = QStringLiteral("korvo123");
    auto word = [](const char *text) { return QJsonObject{{QStringLiteral("word"), QString::fromUtf8(text)}}; };
    const QString broken = QStringLiteral("系统异常,请重新启动客户端");
    const QString noIdentity = QStringLiteral("登录异常,请联系客服");
    const QString network = QStringLiteral("网络异常,请稍后重试");

    QTest::newRow("params error") << korvo << good << word("params error") << QStringLiteral("系统异常，请重启客户端后重试 ");
    QTest::newRow("nouser") << QStringLiteral("nobody") << good << QJsonObject() << QStringLiteral("账号不存在!");
    QTest::newRow("password_error") << korvo << QStringLiteral("wrong") << QJsonObject() << QStringLiteral("密码错误!");
    QTest::newRow("error with msg") << korvo << good << word(R"({"code":"1003","msg":"账号已被冻结"})")
                                    << QStringLiteral("账号已被冻结");
    QTest::newRow("error without msg") << korvo << good << word(R"({"code":"E42"})") << QStringLiteral("系统异常:E42");
    QTest::newRow("cut body") << korvo << good << QJsonObject{{QStringLiteral("malformed"), true}} << broken;
    QTest::newRow("json array") << korvo << good << word("[1,2,3]") << broken;
    QTest::newRow("missing fields") << korvo << good << word(R"({"user_name":"korvo","user_id":"10001"})") << noIdentity;
    QTest::newRow("empty token") << korvo << good
                                 << word(R"({"user_name":"korvo","user_email":"","user_nick":"","user_id":"10001","user_token":""})")
                                 << noIdentity;
    QTest::newRow("http 500") << korvo << good << QJsonObject{{QStringLiteral("status"), QStringLiteral("500")}} << network;
    QTest::newRow("dropped") << korvo << good << QJsonObject{{QStringLiteral("drop"), true}} << network;
    QTest::newRow("hung") << korvo << good << QJsonObject{{QStringLiteral("delay_ms"), QStringLiteral("8000")}} << network;
    // A hostile portal: every transfer ends within its deadline and limit, and odd identities log nobody in.
    auto fault = [](const char *key, const char *value) { return QJsonObject{{QLatin1String(key), QLatin1String(value)}}; };
    QTest::newRow("gzip bomb") << korvo << good << fault("gzip_bomb_mib", "3072") << network;
    QTest::newRow("endless headers") << korvo << good << fault("endless_headers", "1") << network;
    QTest::newRow("drip") << korvo << good << fault("drip_ms", "500") << network;
    QTest::newRow("reply past the limit") << korvo << good << fault("large_bytes", "6000000") << network;
    QTest::newRow("e-mail too long") << korvo << good << fault("large_bytes", "300") << broken;
    QTest::newRow("repeated keys") << korvo << good << fault("dup_keys", "1000") << broken;
    // The id names profiles and goes into addresses: a number or no login.
    QTest::newRow("id is a path")
        << korvo << good << word(R"({"user_name":"korvo","user_email":"","user_nick":"","user_id":"../default","user_token":"t"})")
        << broken;
    QTest::newRow("name is a boolean")
        << korvo << good << word(R"({"user_name":true,"user_email":"","user_nick":"","user_id":"10001","user_token":"t"})")
        << broken;
}

void TestLoginReplies::replyProblemsRestoreTheButton()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QJsonObject, fault);
    QFETCH(QString, message);
    if (!fault.isEmpty())
        QVERIFY(m_portal->setLoginFault(fault));
    LogCapture log;
    m_form->setRequestTimeout(1000);
    m_form->setRequestDeadline(2000);
    QSignalSpy info(m_form, &LoginForm::signalUserBalanceInfo);
    enter(name, password);
    auto *button = child<QPushButton>("login_LoginBtn");
    button->click();
    QCOMPARE(button->text(), QStringLiteral("登录中..."));
    QVERIFY(!button->isEnabled());

    QTRY_COMPARE_WITH_TIMEOUT(noticeText(), message, 5000);
    QCOMPARE(button->text(), QStringLiteral("登录"));
    QVERIFY(button->isEnabled());
    QVERIFY(info.isEmpty());
    QVERIFY(m_form->cookieJar()->getCookie(QStringLiteral("user_id")).value().isEmpty());
    QCOMPARE(tool(QStringLiteral("select count(*) from sqlite_master where name='box_user'")), QStringLiteral("0"));
    // Not a piece of the sealed address reaches the log, whatever went wrong.
    for (const QString &address : {QStringLiteral("appData"), QStringLiteral("boxInit.php")})
        QVERIFY2(log.linesContaining(address).isEmpty(), qPrintable(log.linesContaining(address).join(QLatin1Char('\n'))));

    // "确定" closes the notice and empties the password field.
    QMessageBox *box = noticeBox();
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->buttons().first()->text(), QStringLiteral("确定"));
    box->buttons().first()->click();
    QTRY_VERIFY(!noticeBox());
    QCOMPARE(child<QLineEdit>("login_PasswordTxt")->text(), QString());
}

void TestLoginReplies::byteOrderMarkBeforeTheBodyStillLogsIn()
{
    QVERIFY(m_portal->setLoginFault({{QStringLiteral("bom"), true}}));
    const Info info = logIn(QStringLiteral("korvo"), QStringLiteral("korvo123"));
    QCOMPARE(info.value(QStringLiteral("user_id")), QStringLiteral("10001"));
    QVERIFY(!noticeBox());
}

void TestLoginReplies::failedLoginLeavesTheNextWorking()
{
    QVERIFY(m_portal->setLoginFault({{QStringLiteral("endless_headers"), true}}));
    m_form->setRequestDeadline(1000);
    enter(QStringLiteral("korvo"), QStringLiteral("korvo123"));
    child<QPushButton>("login_LoginBtn")->click();
    QTRY_COMPARE_WITH_TIMEOUT(noticeText(), QStringLiteral("网络异常,请稍后重试"), 5000);
    noticeBox()->close();
    QCOMPARE(logIn(QStringLiteral("korvo"), QStringLiteral("korvo123")).value(QStringLiteral("user_id")),
             QStringLiteral("10001"));
}

QTEST_MAIN(TestLoginReplies)
#include "tst_loginreplies.moc"
