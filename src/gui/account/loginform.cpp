#include "account/loginform.h"
#include "ui_loginform.h"

#include "account/accountoperations.h"
#include "account/loginservice.h"
#include "app/apppaths.h"
#include "shell/iconpixmap.h"
#include "net/httprequest.h"
#include "net/portal.h"
#include "net/session.h"
#include "account/sqlite.h"
#include "web/systembrowser.h"
#include "app/toolwindow.h"

#include <QDebug>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

namespace {
const QString kMasked = QStringLiteral("******");
}

LoginForm::LoginForm(QWidget *parent, Sqlite *store, LoginService *login)
    : QWidget(parent)
    , ui(new Ui::LoginForm)
    , m_store(store)
    , m_login(login)
{
    // For queued connections and signal spies on signalUserBalanceInfo.
    qRegisterMetaType<QMap<QString, QString>>("QMap<QString,QString>");
    if (!m_login) {
        m_login = new LoginService(LoginService::MainAccount, accountStore(), this);
        m_login->setSession(new Session(m_login));
    }
    setupForm();
    connectForm();
    reloadAccountList();
    resize(318, 398);
}

LoginForm::~LoginForm()
{
    delete ui;
}

void LoginForm::setupForm()
{
    ui->setupUi(this);
    ToolWindow::setup(this);
    ui->login_LoginBtn->setCursor(Qt::PointingHandCursor);
    ui->login_RegisterLabel->setCursor(Qt::PointingHandCursor);
    ui->login_GetPassLabel->setCursor(Qt::PointingHandCursor);
    ui->login_LogoLabel->setPixmap(IconPixmap::load(AppPaths::iconPath(QStringLiteral("logo.png")), QSize(44, 44),
                                                    devicePixelRatioF()));
}

void LoginForm::connectForm()
{
    connect(ui->login_CloseBtn, &QPushButton::clicked, this, [this] {
        // A login left behind must not come back as a login later.
        m_login->cancel();
        restoreLoginButton();
        close();
    });
    connect(ui->login_LoginBtn, &QPushButton::clicked, this, &LoginForm::handlerAccountLogin);
    // Automatic login implies a remembered account, and only a remembered one can log in by itself.
    connect(ui->login_rememberCB, &QCheckBox::toggled, this, [this](bool checked) {
        if (!checked)
            ui->login_AutoLoginCB->setChecked(false);
    });
    connect(ui->login_AutoLoginCB, &QCheckBox::toggled, this, [this](bool checked) {
        if (checked)
            ui->login_rememberCB->setChecked(true);
    });
    connect(ui->login_RegisterLabel, &Label::signalClicked, this, &LoginForm::handlerOpenLink);
    connect(ui->login_GetPassLabel, &Label::signalClicked, this, &LoginForm::handlerOpenLink);
    connect(ui->login_AccountTxt, &QComboBox::currentTextChanged, this, &LoginForm::fillFromAccount);
    connect(m_login, &LoginService::signalLoggedIn, this, &LoginForm::handlerLoggedIn);
    connect(m_login, &LoginService::signalFailed, this, &LoginForm::endAttempt);
}

void LoginForm::setSession(Session *session)
{
    Session *own = m_login->session();
    if (!session || session == own)
        return;
    m_login->setSession(session);
    if (own && own->parent() == m_login)
        own->deleteLater();
}

Session *LoginForm::session() const
{
    return m_login->session();
}

void LoginForm::setWebProfile(QWebEngineProfile *profile)
{
    m_profile = profile;
    if (profile && !session()->cookieStore())
        session()->setCookieStore(profile->cookieStore());
}

void LoginForm::setCookieStore(QWebEngineCookieStore *store)
{
    session()->setCookieStore(store);
}

void LoginForm::setCookieJar(NetworkCookie *jar)
{
    session()->setCookieJar(jar);
}

NetworkCookie *LoginForm::cookieJar() const
{
    return session() ? session()->cookieJar() : nullptr;
}

void LoginForm::resetCookieJar()
{
    session()->resetCookieJar();
}

void LoginForm::setRequestTimeout(int ms)
{
    m_login->request()->setTimeout(ms);
}

void LoginForm::setRequestDeadline(int ms)
{
    m_login->request()->setDeadline(ms);
}

Sqlite *LoginForm::accountStore()
{
    if (m_store)
        return m_store;
    if (!m_ownStore)
        m_ownStore = new Sqlite(this);
    return m_ownStore;
}

void LoginForm::reloadAccountList()
{
    m_remembered.load(accountStore());
    ComboBox *combo = ui->login_AccountTxt;
    combo->clear();
    const QStringList names = m_remembered.listedNames();
    combo->addItems(names);
    if (names.isEmpty())
        combo->showPlaceholder();
}

// Runs on every change of the account text: from memory, never from the file.
void LoginForm::fillFromAccount(const QString &name)
{
    AccountRow row = m_remembered.byName(name);
    if (row.isEmpty())
        return;
    row.remove(QStringLiteral("user_pass"));
    qDebug() << "fillFromAccount:" << row;
    if (row.value(QStringLiteral("auto_login")) == QLatin1String("1")) {
        ui->login_AutoLoginCB->setChecked(true);
        ui->login_rememberCB->setChecked(true);
        ui->login_PasswordTxt->setText(kMasked);
    } else if (row.value(QStringLiteral("remember_me")) == QLatin1String("1")) {
        ui->login_rememberCB->setChecked(true);
        ui->login_AutoLoginCB->setChecked(false);
        ui->login_PasswordTxt->setText(kMasked);
    }
}

QString LoginForm::storedDigest(const QString &name)
{
    return m_remembered.digestFor(name);
}

void LoginForm::tryAutoLogin()
{
    const AccountRow row = m_remembered.autoLoginAccount();
    if (row.isEmpty())
        return;
    sendLogin(row.value(QStringLiteral("user_name")), row.value(QStringLiteral("user_pass")), true, true);
}

void LoginForm::handlerAccountLogin()
{
    const QString name = ui->login_AccountTxt->accountName();
    const QString password = ui->login_PasswordTxt->text().trimmed();
    if (name.isEmpty() || password.isEmpty()) {
        showMessage(tr("account or password error"));
        return;
    }
    if (AccountOperations::hasChineseCharacter(name)) {
        showMessage(QStringLiteral("盒子不支持中文账号"));
        return;
    }
    ui->login_LoginBtn->setText(QStringLiteral("登录中..."));
    ui->login_LoginBtn->setEnabled(false);
    QString digest = AccountOperations::passwordDigest(password);
    // "******" stands for the remembered password: send the digest stored for it.
    if (password == kMasked) {
        const QString stored = storedDigest(name);
        if (!stored.isEmpty())
            digest = stored;
    }
    sendLogin(name, digest, ui->login_rememberCB->isChecked(), ui->login_AutoLoginCB->isChecked());
}

void LoginForm::sendLogin(const QString &name, const QString &digest, bool remember, bool autoLogin)
{
    LoginService::Attempt attempt;
    attempt.userName = name;
    attempt.digest = digest;
    attempt.remember = remember;
    attempt.autoLogin = autoLogin;
    // An attempt still out is forgotten: the newest one is what the user asked for.
    m_login->cancel();
    m_login->login(attempt);
}

void LoginForm::endAttempt(const QString &message)
{
    restoreLoginButton();
    showMessage(message);
}

void LoginForm::restoreLoginButton()
{
    ui->login_LoginBtn->setText(QStringLiteral("登录"));
    ui->login_LoginBtn->setEnabled(true);
}

void LoginForm::showMessage(const QString &text)
{
    // One notice at a time; a newer one replaces an unanswered one.
    if (m_messageBox)
        m_messageBox->close();
    auto *box = new QMessageBox(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("提示"));
    box->setText(text);
    QPushButton *ok = box->addButton(QStringLiteral("确定"), QMessageBox::ActionRole);
    connect(ok, &QPushButton::clicked, ui->login_PasswordTxt, &QLineEdit::clear);
    m_messageBox = box;
    // open() rather than exec(): the reply handler returns at once and the event loop keeps running.
    box->open();
}

void LoginForm::handlerLoggedIn()
{
    ui->login_PasswordTxt->clear();
    restoreLoginButton();
    reloadAccountList();
    emit signalUserBalanceInfo(AccountOperations::loginInfo(m_login->lastReply()));
    close();
}

void LoginForm::handlerOpenLink()
{
    const auto *label = qobject_cast<const QLabel *>(sender());
    if (!label)
        return;
    QString path;
    if (label->objectName() == QLatin1String("login_GetPassLabel"))
        path = QStringLiteral("/forgetpass.php");
    else if (label->objectName() == QLatin1String("login_RegisterLabel"))
        path = QStringLiteral("/register.php");
    else
        return;
    SystemBrowser::open(this, QUrl(Portal::portalRoot() + path));
}
