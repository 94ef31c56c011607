// The login dialog as the player uses it: a login shared with every page,
// remembered and automatic logins, a login given up or replaced.
#include "loginformfixture.h"

#include "app/appservices.h"
#include "account/loginservice.h"
#include "account/sqlite.h"
#include "logcapture.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "pagescript.h"
#include "sqlitelock.h"
#include "web/tabwidget.h"
#include "web/webengineprofile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWebEnginePage>
#include <QtTest>

using namespace LoginFormTesting;

class TestLoginForm final : public LoginFormFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { setUp(); }
    void init() { reset(); }
    void cleanup() { tearDown(); }

    void loginSharesTheIdentityAndRemembersTheAccount();
    void rememberAndAutoLoginAsStored_data();
    void rememberAndAutoLoginAsStored();
    void abandonedLoginIsNeverApplied();
    void secondLoginReplacesTheJarAndClosesTabs();
    void dialogControlsBehave();
    void accountFieldWorksFromMemoryWhileTheFileIsHeld();
};

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
