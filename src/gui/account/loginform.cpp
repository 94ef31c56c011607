#include "account/loginform.h"
#include "ui_loginform.h"

#include "account/accountoperations.h"
#include "app/apppaths.h"
#include "shell/iconpixmap.h"
#include "net/httprequest.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "net/session.h"
#include "account/sqlite.h"
#include "shell/systembrowser.h"
#include "web/tabwidget.h"
#include "shell/toolwindow.h"
#include "shell/userphotocontrol.h"

#include <QDateTime>
#include <QHash>
#include <QDebug>
#include <QJsonValue>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

namespace {
const QString kMasked = QStringLiteral("******");
}

LoginForm::LoginForm(QWidget *parent, Sqlite *store)
    : QWidget(parent)
    , ui(new Ui::LoginForm)
    , m_request(AccountOperations::newRequest(this))
    , m_store(store)
    , m_session(new Session(this))
{
    // For queued connections and signal spies on signalUserBalanceInfo.
    qRegisterMetaType<QMap<QString, QString>>("QMap<QString,QString>");
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
        m_request->cancel();
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
    // The request object is the dialog's own, so each reply reaches the handler exactly once.
    connect(m_request, &HttpRequest::signalHttpSuccess, this, &LoginForm::handlerLoginResult);
    connect(m_request, &HttpRequest::signalHttpFailed, this, &LoginForm::handlerLoginFailed);
}

void LoginForm::setSession(Session *session)
{
    if (!session || session == m_session)
        return;
    if (m_session && m_session->parent() == this)
        m_session->deleteLater();
    m_session = session;
}

Session *LoginForm::session() const
{
    return m_session;
}

void LoginForm::setWebProfile(QWebEngineProfile *profile)
{
    m_profile = profile;
    if (profile && !m_session->cookieStore())
        m_session->setCookieStore(profile->cookieStore());
}

void LoginForm::setCookieStore(QWebEngineCookieStore *store)
{
    m_session->setCookieStore(store);
}

void LoginForm::setCookieJar(NetworkCookie *jar)
{
    m_session->setCookieJar(jar);
}

NetworkCookie *LoginForm::cookieJar() const
{
    return m_session ? m_session->cookieJar() : nullptr;
}

void LoginForm::resetCookieJar()
{
    m_session->resetCookieJar();
}

void LoginForm::setUserPhoto(UserPhotoControl *badge)
{
    m_badge = badge;
}

void LoginForm::setTabWidget(TabWidget *tabs)
{
    m_tabWidget = tabs;
}

void LoginForm::setRequestTimeout(int ms)
{
    m_request->setTimeout(ms);
}

void LoginForm::setRequestDeadline(int ms)
{
    m_request->setDeadline(ms);
}

Sqlite *LoginForm::accountStore()
{
    if (m_store)
        return m_store;
    if (!m_ownStore)
        m_ownStore = new Sqlite(this);
    return m_ownStore;
}

TabWidget *LoginForm::tabWidget() const
{
    return m_tabWidget;
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
    const QString digest = row.value(QStringLiteral("user_pass"));
    m_rememberChecked = true;
    m_autoLoginChecked = true;
    m_passwordHash = digest;
    sendLogin(row.value(QStringLiteral("user_name")), digest);
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
    m_passwordHash = AccountOperations::passwordDigest(password);
    m_rememberChecked = ui->login_rememberCB->isChecked();
    m_autoLoginChecked = ui->login_AutoLoginCB->isChecked();
    // "******" stands for the remembered password: send the digest stored for it.
    if (password == kMasked) {
        const QString stored = storedDigest(name);
        if (!stored.isEmpty())
            m_passwordHash = stored;
    }
    sendLogin(name, m_passwordHash);
}

void LoginForm::sendLogin(const QString &name, const QString &digest)
{
    // The text holds the digest and the API key: it is sealed, never logged.
    qDebug() << "handlerAccountLogin: login as" << name;
    m_request->get(AccountOperations::sealedUrl(AccountOperations::loginText(name, digest)));
}

void LoginForm::handlerLoginFailed(const QString &error)
{
    qDebug() << "handlerLoginFailed:" << error;
    endAttempt(QStringLiteral("网络异常,请稍后重试"));
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

void LoginForm::handlerLoginResult(QByteArray reply)
{
    // The body carries the login token: only its size goes to the log.
    qDebug() << "handlerLoginResult:" << reply.size() << "bytes";
    const AccountReply answer = AccountOperations::classify(reply);
    const QString problem = replyProblem(answer);
    if (!problem.isEmpty()) {
        endAttempt(problem);
        return;
    }
    completeLogin(answer.object);
}

// The message for a reply that is not a login, or empty for a login.
QString LoginForm::replyProblem(const AccountReply &reply)
{
    static const QHash<QString, QString> wordMessages = {
        {QStringLiteral("params error"), QStringLiteral("系统异常，请重启客户端后重试 ")},
        {QStringLiteral("nouser"), QStringLiteral("账号不存在!")},
        {QStringLiteral("password_error"), QStringLiteral("密码错误!")},
    };
    switch (reply.kind) {
    case AccountReply::Identity:
        return QString();
    case AccountReply::Word:
        // Another word of the gateway is as unreadable here as no JSON at all.
        return wordMessages.value(reply.word, QStringLiteral("系统异常,请重新启动客户端"));
    case AccountReply::Error:
        return reply.message.isEmpty() ? QStringLiteral("系统异常:") + reply.code : reply.message;
    case AccountReply::Incomplete:
        return QStringLiteral("登录异常,请联系客服");
    case AccountReply::Unreadable:
        break;
    }
    return QStringLiteral("系统异常,请重新启动客户端");
}

void LoginForm::completeLogin(const QJsonObject &reply)
{
    const QString userName = Portal::text(reply.value(QLatin1String("user_name")));
    const QString userId = Portal::text(reply.value(QLatin1String("user_id")));
    writeIdentityCookies(reply);
    if (TabWidget *tabs = tabWidget())
        tabs->setCurrentUserName(userName);
    const QMap<QString, QString> info = AccountOperations::loginInfo(reply);
    if (m_badge)
        m_badge->setPhotoUrl(QUrl(Portal::portalRoot() + QStringLiteral("/DODev_C/avatar.php?user_id=") + userId));
    emit signalUserBalanceInfo(info);
    ui->login_PasswordTxt->clear();
    restoreLoginButton();
    storeAccount(reply);
    reloadAccountList();
    if (TabWidget *tabs = tabWidget())
        tabs->closeTabsButHome();
    // After the close, so the page that stays (the home tab) carries the new name.
    showUserInTabs(userName);
    close();
}

void LoginForm::writeIdentityCookies(const QJsonObject &reply)
{
    // A login after another starts from an empty jar and store, so no cookie of
    // the previous account survives.
    if (!m_session->cookieValue(QStringLiteral("user_id")).isEmpty())
        m_session->resetCookieJar();
    NetworkCookie *jar = m_session->ensureCookieJar();
    if (!jar) {
        qDebug() << "handlerLoginResult: no cookie jar, the login stays invisible to the pages";
        return;
    }
    AccountOperations::writeIdentityCookies(jar, AccountOperations::identityOf(reply));
}

void LoginForm::storeAccount(const QJsonObject &reply)
{
    accountStore()->saveLogin(
        AccountOperations::mainAccountRow(reply, m_passwordHash, m_rememberChecked, m_autoLoginChecked));
}

void LoginForm::showUserInTabs(const QString &userName)
{
    TabWidget *tabs = tabWidget();
    if (!tabs)
        return;
    tabs->setCurrentUserName(userName);
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
