#include "app/appservices.h"
#include "pagescript.h"
#include "account/loginform.h"
#include "account/loginservice.h"
#include "logcapture.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "account/sqlite.h"
#include "sqlitelock.h"
#include "standinportal.h"
#include "web/tabwidget.h"
#include "testsupport.h"
#include "web/webengineprofile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QtTest>

#include <memory>

using Info = QMap<QString, QString>;

namespace {
QString md5(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

QString loginText(const QString &name, const QString &digest)
{
    return QStringLiteral("datatype=user&sign=user_login&user_name=") + name + QStringLiteral("&user_pass=") + digest
        + QStringLiteral("&key=KXPL-brimadq7ve5");
}

QMessageBox *noticeBox()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible())
            return box;
    }
    return nullptr;
}

QString noticeText()
{
    QMessageBox *box = noticeBox();
    return box ? box->text() : QString();
}
}

class TestLoginForm final : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl &url) { m_openedUrls << url; }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loginSharesTheIdentityAndRemembersTheAccount();
    void rememberAndAutoLoginAsStored_data();
    void rememberAndAutoLoginAsStored();
    void refusesBadInputBeforeSending_data();
    void refusesBadInputBeforeSending();
    void replyProblemsRestoreTheButton_data();
    void replyProblemsRestoreTheButton();
    void byteOrderMarkBeforeTheBodyStillLogsIn();
    void abandonedLoginIsNeverApplied();
    void failedLoginLeavesTheNextWorking();
    void secondLoginReplacesTheJarAndClosesTabs();
    void dialogControlsBehave();
    void accountFieldWorksFromMemoryWhileTheFileIsHeld();

private:
    void newForm();
    template<typename T> T *child(const char *name) const
    {
        return m_form->findChild<T *>(QLatin1String(name));
    }
    void enter(const QString &name, const QString &password, bool remember = false, bool autoLogin = false);
    Info logIn(const QString &name, const QString &password, bool remember = false, bool autoLogin = false);
    QString tool(const QString &sql) const;
    QString storedCookie(const QString &name) const { return m_storeCookies.value(name); }

    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<StandInPortal> m_portal;
    WebEngineProfile *m_profile = nullptr;
    QPointer<LoginForm> m_form;
    QHash<QString, QString> m_storeCookies;
    QList<QUrl> m_openedUrls;
};

void TestLoginForm::initTestCase()
{
    m_dir = std::make_unique<TestAppDir>();
    m_portal = std::make_unique<StandInPortal>(m_dir->path());
    QVERIFY2(m_portal->start(), "korvo-devportal did not start");
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("public_key_korvo.pem"))));
    m_profile = WebEngineProfile::profileFor(QStringLiteral("default"));
    // What the pages of the main profile see, by cookie name.
    QWebEngineCookieStore *store = m_profile->cookieStore();
    connect(store, &QWebEngineCookieStore::cookieAdded, this, [this](const QNetworkCookie &cookie) {
        m_storeCookies.insert(QString::fromUtf8(cookie.name()), QString::fromUtf8(cookie.value()));
    });
    connect(store, &QWebEngineCookieStore::cookieRemoved, this, [this](const QNetworkCookie &cookie) {
        const QString name = QString::fromUtf8(cookie.name());
        if (m_storeCookies.value(name) == QString::fromUtf8(cookie.value()))
            m_storeCookies.remove(name);
    });
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
}

void TestLoginForm::init()
{
    QVERIFY(m_portal->control({{QStringLiteral("op"), QStringLiteral("reset")}}).value(QStringLiteral("ok")).toBool());
    m_portal->control({{QStringLiteral("op"), QStringLiteral("clear_log")}});
    QFile::remove(m_dir->filePath(QStringLiteral("vmgamebox.db")));
    m_profile->cookieStore()->deleteAllCookies();
    QTRY_VERIFY_WITH_TIMEOUT(m_storeCookies.isEmpty(), 5000);
    m_openedUrls.clear();
    newForm();
}

void TestLoginForm::cleanup()
{
    while (QMessageBox *box = noticeBox())
        box->close();
    delete m_form;
}

void TestLoginForm::newForm()
{
    delete m_form;
    m_form = new LoginForm;
    m_form->setWebProfile(m_profile);
    m_form->setCookieStore(m_profile->cookieStore());
    m_form->setCookieJar(new NetworkCookie(m_profile->cookieStore()));
    m_form->show();
}

void TestLoginForm::enter(const QString &name, const QString &password, bool remember, bool autoLogin)
{
    child<QComboBox>("login_AccountTxt")->setEditText(name);
    child<QLineEdit>("login_PasswordTxt")->setText(password);
    child<QCheckBox>("login_rememberCB")->setChecked(remember);
    child<QCheckBox>("login_AutoLoginCB")->setChecked(autoLogin);
}

Info TestLoginForm::logIn(const QString &name, const QString &password, bool remember, bool autoLogin)
{
    QSignalSpy info(m_form, &LoginForm::signalUserBalanceInfo);
    enter(name, password, remember, autoLogin);
    child<QPushButton>("login_LoginBtn")->click();
    if (!info.wait(10000)) {
        qWarning() << "no login; notice:" << noticeText();
        return Info();
    }
    return info.first().first().value<Info>();
}

QString TestLoginForm::tool(const QString &sql) const
{
    return sqliteTool(m_dir->filePath(QStringLiteral("vmgamebox.db")), sql);
}

void TestLoginForm::loginSharesTheIdentityAndRemembersTheAccount()
{
    LogCapture log;
    const Info info = logIn(QStringLiteral("korvo"), QStringLiteral("korvo123"), true);
    QCOMPARE(info.value(QStringLiteral("user_nick")), QStringLiteral("科沃玩家"));
    QCOMPARE(info.value(QStringLiteral("user_id")), QStringLiteral("10001"));
    QCOMPARE(info.value(QStringLiteral("level")), QStringLiteral("3"));
    QCOMPARE(info.value(QStringLiteral("balance")), QStringLiteral("128.50"));
    QCOMPARE(info.value(QStringLiteral("points")), QStringLiteral("2680"));

    // The jar answers at once, with the cookies as the portal pages expect them.
    NetworkCookie *jar = m_form->cookieJar();
    QVERIFY(jar);
    const QString token = QString::fromUtf8(jar->getCookie(QStringLiteral("user_token")).value());
    QVERIFY(!token.isEmpty());
    QCOMPARE(QString::fromUtf8(jar->getCookie(QStringLiteral("user_name")).value()), QStringLiteral("korvo"));
    QCOMPARE(QString::fromUtf8(jar->getCookie(QStringLiteral("user_nick")).value()), QStringLiteral("科沃玩家"));
    QCOMPARE(QString::fromUtf8(jar->getCookie(QStringLiteral("user_email")).value()), QStringLiteral("korvo@korvo.test"));
    const QNetworkCookie id = jar->getCookie(QStringLiteral("user_id"));
    QCOMPARE(id.value(), QByteArray("10001"));
    QCOMPARE(id.domain(), Portal::cookieDomain());
    QCOMPARE(id.path(), QStringLiteral("/"));
    QVERIFY(id.isSessionCookie());
    QVERIFY(!id.isSecure());
    QVERIFY(!id.isHttpOnly());
    QVERIFY(!jar->getCookie(QStringLiteral("plat_userid")).value().isEmpty());
    // Password, digest, API key and token never reach the debug log.
    for (const QString &secret : {QStringLiteral("korvo123"), md5(QStringLiteral("korvo123")), Portal::apiKey(), token})
        QVERIFY2(log.linesContaining(secret).isEmpty(), qPrintable(log.linesContaining(secret).join(QLatin1Char('\n'))));
    QVERIFY(!log.linesContaining(QStringLiteral("login reply:")).isEmpty());
    // Hours and minutes, not the month in the minutes' place.
    const QDateTime loginTime = QDateTime::fromString(
        QString::fromUtf8(jar->getCookie(QStringLiteral("user_login_time")).value()), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QVERIFY(loginTime.isValid());
    QVERIFY(qAbs(loginTime.secsTo(QDateTime::currentDateTime())) < 120);

    // The web engine's store has them, so every page of the profile is logged in,
    // also when the login came before the profile's first page.
    QWebEnginePage page(m_profile);
    QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
    page.load(QUrl(Portal::portalIndex()));
    QVERIFY(loaded.wait(10000));
    const QString documentCookies =
        pageScriptAnswer(&page, QStringLiteral("document.cookie"), 10000).value_or(QVariant()).toString();
    QVERIFY2(documentCookies.contains(QStringLiteral("user_token=") + token), qPrintable(documentCookies));
    QTRY_COMPARE_WITH_TIMEOUT(storedCookie(QStringLiteral("user_token")), token, 5000);
    QCOMPARE(storedCookie(QStringLiteral("user_id")), QStringLiteral("10001"));

    const QString row = tool(QStringLiteral("select user_id||'|'||user_name||'|'||user_nick||'|'||user_email||'|'||user_pass||'|'||"
                                            "main_id||'|'||is_main||'|'||list||'|'||auto_login||'|'||remember_me from box_user"));
    QCOMPARE(row, QStringLiteral("10001|korvo|科沃玩家|korvo@korvo.test|") + md5(QStringLiteral("korvo123"))
                 + QStringLiteral("|0|1|0|0|1"));
    QVERIFY(qAbs(tool(QStringLiteral("select login_time from box_user")).toLongLong() - QDateTime::currentSecsSinceEpoch()) < 60);

    QCOMPARE(m_portal->gatewayTexts(), QStringList{loginText(QStringLiteral("korvo"), md5(QStringLiteral("korvo123")))});
    QCOMPARE(child<QPushButton>("login_LoginBtn")->text(), QStringLiteral("登录"));
    QVERIFY(child<QPushButton>("login_LoginBtn")->isEnabled());
    QVERIFY(!m_form->isVisible());
    QVERIFY(!noticeBox());
}

void TestLoginForm::rememberAndAutoLoginAsStored_data()
{
    QTest::addColumn<bool>("remember");
    QTest::addColumn<bool>("autoLogin");
    QTest::addColumn<QString>("flags");
    QTest::newRow("forgotten") << false << false << QStringLiteral("0|0");
    QTest::newRow("remembered") << true << false << QStringLiteral("1|0");
    QTest::newRow("automatic") << false << true << QStringLiteral("1|1");
}

void TestLoginForm::rememberAndAutoLoginAsStored()
{
    QFETCH(bool, remember);
    QFETCH(bool, autoLogin);
    QFETCH(QString, flags);
    QVERIFY(!logIn(QStringLiteral("korvo"), QStringLiteral("korvo123"), remember, autoLogin).isEmpty());
    QCOMPARE(tool(QStringLiteral("select remember_me||'|'||auto_login from box_user")), flags);
    const bool remembered = flags.startsWith(QLatin1Char('1'));

    // The next start of the client.
    m_portal->control({{QStringLiteral("op"), QStringLiteral("clear_log")}});
    newForm();
    QCOMPARE(child<QComboBox>("login_AccountTxt")->currentText(),
             remembered ? QStringLiteral("korvo") : QStringLiteral("请输入账号"));
    QCOMPARE(child<QLineEdit>("login_PasswordTxt")->text(), remembered ? QStringLiteral("******") : QString());
    QCOMPARE(child<QCheckBox>("login_rememberCB")->isChecked(), remembered);
    QCOMPARE(child<QCheckBox>("login_AutoLoginCB")->isChecked(), autoLogin);
    if (!remembered)
        return;

    QSignalSpy info(m_form, &LoginForm::signalUserBalanceInfo);
    if (autoLogin)
        m_form->tryAutoLogin();
    else
        child<QPushButton>("login_LoginBtn")->click();
    QVERIFY(info.wait(10000));
    // "******" stands for the stored digest; the asterisks themselves are never sent.
    QCOMPARE(m_portal->gatewayTexts(), QStringList{loginText(QStringLiteral("korvo"), md5(QStringLiteral("korvo123")))});
    // The store may still be reporting the earlier session's cookies going; it
    // reports the new ones after them.
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(m_form->cookieJar()->getCookie(QStringLiteral("user_name")).value()),
                              QStringLiteral("korvo"), 5000);
    QCOMPARE(tool(QStringLiteral("select remember_me||'|'||auto_login from box_user")), flags);
}

void TestLoginForm::refusesBadInputBeforeSending_data()
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

void TestLoginForm::refusesBadInputBeforeSending()
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

void TestLoginForm::replyProblemsRestoreTheButton_data()
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

void TestLoginForm::replyProblemsRestoreTheButton()
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

void TestLoginForm::byteOrderMarkBeforeTheBodyStillLogsIn()
{
    QVERIFY(m_portal->setLoginFault({{QStringLiteral("bom"), true}}));
    const Info info = logIn(QStringLiteral("korvo"), QStringLiteral("korvo123"));
    QCOMPARE(info.value(QStringLiteral("user_id")), QStringLiteral("10001"));
    QVERIFY(!noticeBox());
}

void TestLoginForm::abandonedLoginIsNeverApplied()
{
    // A slow login as mingyue, given up; then korvo logs in.
    QVERIFY(m_portal->setLoginFault({{QStringLiteral("delay_ms"), QStringLiteral("1500")}}));
    QSignalSpy info(m_form, &LoginForm::signalUserBalanceInfo);
    enter(QStringLiteral("mingyue"), QStringLiteral("mingyue123"), true);
    child<QPushButton>("login_LoginBtn")->click();
    child<QPushButton>("login_CloseBtn")->click();
    m_form->show();
    QCOMPARE(logIn(QStringLiteral("korvo"), QStringLiteral("korvo123"), true).value(QStringLiteral("user_id")),
             QStringLiteral("10001"));

    // Time passes on purpose, well past mingyue's late reply: still korvo, with korvo's row only.
    QTest::qWait(2500);
    QCOMPARE(info.count(), 1);
    QCOMPARE(QString::fromUtf8(m_form->cookieJar()->getCookie(QStringLiteral("user_name")).value()), QStringLiteral("korvo"));
    QCOMPARE(tool(QStringLiteral("select group_concat(user_name) from box_user")), QStringLiteral("korvo"));
}

void TestLoginForm::failedLoginLeavesTheNextWorking()
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

void TestLoginForm::secondLoginReplacesTheJarAndClosesTabs()
{
    AppServices services;
    services.profile = m_profile;
    services.session = m_form->session();
    TabWidget tabs(services, nullptr);
    tabs.createHomeTab();
    // Wired as the main window wires them.
    connect(m_form->loginService(), &LoginService::signalLoggedIn, &tabs, &TabWidget::handlerMainLogin);

    QVERIFY(!logIn(QStringLiteral("korvo"), QStringLiteral("korvo123"), true).isEmpty());
    const QString firstToken = QString::fromUtf8(m_form->cookieJar()->getCookie(QStringLiteral("user_token")).value());
    QVERIFY(tabs.createWebTab(QUrl(Portal::portalRoot() + QStringLiteral("/user.php"))));
    QVERIFY(tabs.createWebTab(QUrl(Portal::portalRoot() + QStringLiteral("/pay.php"))));
    QCOMPARE(tabs.count(), 3);
    QPointer<NetworkCookie> firstJar = m_form->cookieJar();

    m_form->show();
    QCOMPARE(logIn(QStringLiteral("mingyue"), QStringLiteral("mingyue123"), true).value(QStringLiteral("user_id")),
             QStringLiteral("10002"));
    QVERIFY(firstJar.isNull());
    NetworkCookie *jar = m_form->cookieJar();
    QVERIFY(jar);
    QCOMPARE(QString::fromUtf8(jar->getCookie(QStringLiteral("user_name")).value()), QStringLiteral("mingyue"));
    QCOMPARE(QString::fromUtf8(jar->getCookie(QStringLiteral("user_id")).value()), QStringLiteral("10002"));
    QTRY_COMPARE_WITH_TIMEOUT(storedCookie(QStringLiteral("user_name")), QStringLiteral("mingyue"), 5000);
    QCOMPARE(storedCookie(QStringLiteral("user_id")), QStringLiteral("10002"));
    QCOMPARE(tabs.count(), 1);
    QCOMPARE(tabs.currentContext().userName, QStringLiteral("mingyue"));
    QCOMPARE(tabs.widget(0)->property("userName").toString(), QStringLiteral("mingyue"));
    QCOMPARE(tool(QStringLiteral("select count(*) from box_user")), QStringLiteral("2"));

    // The same account again: the newest token wins in the jar and in the store,
    // also once the store has reported the removal of the old cookies.
    m_form->show();
    QVERIFY(!logIn(QStringLiteral("mingyue"), QStringLiteral("mingyue123"), true).isEmpty());
    const QString token = QString::fromUtf8(m_form->cookieJar()->getCookie(QStringLiteral("user_token")).value());
    QVERIFY(!token.isEmpty());
    QVERIFY(token != firstToken);
    QTRY_COMPARE_WITH_TIMEOUT(storedCookie(QStringLiteral("user_token")), token, 5000);
    QCOMPARE(QString::fromUtf8(m_form->cookieJar()->getCookie(QStringLiteral("user_token")).value()), token);
    QCOMPARE(QString::fromUtf8(m_form->cookieJar()->getCookie(QStringLiteral("user_name")).value()), QStringLiteral("mingyue"));
    QCOMPARE(QString::fromUtf8(m_form->cookieJar()->getCookie(QStringLiteral("user_id")).value()), QStringLiteral("10002"));
    QCOMPARE(tool(QStringLiteral("select count(*) from box_user")), QStringLiteral("2"));
}

void TestLoginForm::dialogControlsBehave()
{
    auto *remember = child<QCheckBox>("login_rememberCB");
    auto *autoLogin = child<QCheckBox>("login_AutoLoginCB");
    autoLogin->setChecked(true);
    QVERIFY(remember->isChecked());
    remember->setChecked(false);
    QVERIFY(!autoLogin->isChecked());

    QTest::mouseClick(child<QLabel>("login_RegisterLabel"), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>("login_GetPassLabel"), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>("login_GetPassLabel"), Qt::RightButton);
    QCOMPARE(m_openedUrls, (QList<QUrl>{QUrl(Portal::portalRoot() + QStringLiteral("/register.php")),
                                        QUrl(Portal::portalRoot() + QStringLiteral("/forgetpass.php"))}));

    // Closing while a login is out gives the button back.
    QVERIFY(m_portal->setLoginFault({{QStringLiteral("delay_ms"), QStringLiteral("3000")}}));
    enter(QStringLiteral("korvo"), QStringLiteral("korvo123"));
    auto *button = child<QPushButton>("login_LoginBtn");
    button->click();
    QVERIFY(!button->isEnabled());
    child<QPushButton>("login_CloseBtn")->click();
    QVERIFY(!m_form->isVisible());
    QCOMPARE(button->text(), QStringLiteral("登录"));
    QVERIFY(button->isEnabled());
}

// The remembered accounts are read once: while another program holds the
// file, no keystroke in the account field reaches it, and "******" still logs
// in with the remembered digest.
void TestLoginForm::accountFieldWorksFromMemoryWhileTheFileIsHeld()
{
    QVERIFY(!logIn(QStringLiteral("korvo"), QStringLiteral("korvo123"), true).isEmpty());
    newForm();
    SqliteLock lock(m_dir->filePath(QStringLiteral("vmgamebox.db")));
    QVERIFY(lock.isHeld());
    auto *combo = child<QComboBox>("login_AccountTxt");
    combo->setEditText(QString());
    child<QLineEdit>("login_PasswordTxt")->clear();
    child<QCheckBox>("login_rememberCB")->setChecked(false);

    const int accesses = Sqlite::accessCount();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("korvo"));
    QCOMPARE(Sqlite::accessCount(), accesses);
    QVERIFY(child<QCheckBox>("login_rememberCB")->isChecked());
    QCOMPARE(child<QLineEdit>("login_PasswordTxt")->text(), QStringLiteral("******"));

    m_portal->control({{QStringLiteral("op"), QStringLiteral("clear_log")}});
    QSignalSpy info(m_form, &LoginForm::signalUserBalanceInfo);
    child<QPushButton>("login_LoginBtn")->click();
    QVERIFY(info.wait(10000));
    QCOMPARE(m_portal->gatewayTexts(), QStringList{loginText(QStringLiteral("korvo"), md5(QStringLiteral("korvo123")))});
}

QTEST_MAIN(TestLoginForm)
#include "tst_loginform.moc"
