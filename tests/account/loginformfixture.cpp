#include "loginformfixture.h"

#include "net/networkcookie.h"
#include "web/webengineprofile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWebEngineCookieStore>
#include <QtTest>

QString LoginFormTesting::md5(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

QString LoginFormTesting::loginText(const QString &name, const QString &digest)
{
    return QStringLiteral("datatype=user&sign=user_login&user_name=") + name + QStringLiteral("&user_pass=") + digest
        + QStringLiteral("&key=KXPL-brimadq7ve5");
}

QMessageBox *LoginFormTesting::noticeBox()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible())
            return box;
    }
    return nullptr;
}

QString LoginFormTesting::noticeText()
{
    QMessageBox *box = noticeBox();
    return box ? box->text() : QString();
}

void LoginFormFixture::setUp()
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

void LoginFormFixture::reset()
{
    QVERIFY(m_portal->control({{QStringLiteral("op"), QStringLiteral("reset")}}).value(QStringLiteral("ok")).toBool());
    m_portal->control({{QStringLiteral("op"), QStringLiteral("clear_log")}});
    QFile::remove(m_dir->filePath(QStringLiteral("vmgamebox.db")));
    m_profile->cookieStore()->deleteAllCookies();
    QTRY_VERIFY_WITH_TIMEOUT(m_storeCookies.isEmpty(), 5000);
    m_openedUrls.clear();
    newForm();
}

void LoginFormFixture::tearDown()
{
    while (QMessageBox *box = LoginFormTesting::noticeBox())
        box->close();
    delete m_form;
}

void LoginFormFixture::newForm()
{
    delete m_form;
    m_form = new LoginForm;
    m_form->setWebProfile(m_profile);
    m_form->setCookieStore(m_profile->cookieStore());
    m_form->setCookieJar(new NetworkCookie(m_profile->cookieStore()));
    m_form->show();
}

void LoginFormFixture::enter(const QString &name, const QString &password, bool remember, bool autoLogin)
{
    child<QComboBox>("login_AccountTxt")->setEditText(name);
    child<QLineEdit>("login_PasswordTxt")->setText(password);
    child<QCheckBox>("login_rememberCB")->setChecked(remember);
    child<QCheckBox>("login_AutoLoginCB")->setChecked(autoLogin);
}

Info LoginFormFixture::logIn(const QString &name, const QString &password, bool remember, bool autoLogin)
{
    QSignalSpy info(m_form, &LoginForm::signalUserBalanceInfo);
    enter(name, password, remember, autoLogin);
    child<QPushButton>("login_LoginBtn")->click();
    if (!info.wait(10000)) {
        qWarning() << "no login; notice:" << LoginFormTesting::noticeText();
        return Info();
    }
    return info.first().first().value<Info>();
}

QString LoginFormFixture::tool(const QString &sql) const
{
    return sqliteTool(m_dir->filePath(QStringLiteral("vmgamebox.db")), sql);
}
