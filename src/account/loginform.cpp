#include "loginform.h"
#include "ui_loginform.h"

#include "apppaths.h"
#include "httprequest.h"
#include "mainframe.h"
#include "networkcookie.h"
#include "portal.h"
#include "rsasignature.h"
#include "sqlite.h"
#include "tabwidget.h"
#include "userphotocontrol.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QJsonValue>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

namespace {
const QString kMasked = QStringLiteral("******");
const QStringList kIdentityFields = {QStringLiteral("user_name"), QStringLiteral("user_email"),
                                     QStringLiteral("user_nick"), QStringLiteral("user_id"),
                                     QStringLiteral("user_token")};

QString replyText(const QJsonObject &reply, const char *key)
{
    return Portal::text(reply.value(QLatin1String(key)));
}

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
}

LoginForm::LoginForm(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::LoginForm)
    , m_request(new HttpRequest(this))
    , m_mainFrame(qobject_cast<MainFrame *>(parent))
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
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    setWindowModality(Qt::ApplicationModal);
    ui->login_CloseBtn->setShortcut(QKeySequence::Cancel);
    // Return and the keypad's Enter log in from every field, the account combo
    // included; a held key sends one login, and none while one is out.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *enter = new QShortcut(QKeySequence(key), this);
        enter->setAutoRepeat(false);
        connect(enter, &QShortcut::activated, ui->login_LoginBtn, &QPushButton::click);
    }
    ui->login_LoginBtn->setCursor(Qt::PointingHandCursor);
    ui->login_RegisterLabel->setCursor(Qt::PointingHandCursor);
    ui->login_GetPassLabel->setCursor(Qt::PointingHandCursor);
    const QPixmap logo(AppPaths::iconPath(QStringLiteral("logo.png")));
    if (!logo.isNull())
        ui->login_LogoLabel->setPixmap(logo.scaled(44, 44, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void LoginForm::connectForm()
{
    connect(ui->login_CloseBtn, &QPushButton::clicked, this, [this] {
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

void LoginForm::setWebProfile(QWebEngineProfile *profile)
{
    m_profile = profile;
    if (profile && !m_cookieStore)
        m_cookieStore = profile->cookieStore();
}

void LoginForm::setCookieStore(QWebEngineCookieStore *store)
{
    m_cookieStore = store;
}

void LoginForm::setCookieJar(NetworkCookie *jar)
{
    if (m_cookieJar && m_cookieJar != jar)
        delete m_cookieJar;
    m_cookieJar = jar;
    if (jar)
        jar->setParent(this);
}

NetworkCookie *LoginForm::cookieJar() const
{
    return m_cookieJar;
}

void LoginForm::resetCookieJar()
{
    if (m_cookieJar) {
        m_cookieJar->clearCookies();
        delete m_cookieJar;
    }
    if (!m_cookieStore)
        return;
    m_cookieStore->deleteAllCookies();
    setCookieJar(new NetworkCookie(m_cookieStore));
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

Sqlite *LoginForm::accountStore()
{
    if (m_mainFrame && m_mainFrame->sqlite())
        return m_mainFrame->sqlite();
    // Without a main window (tests, tools) the dialog reaches the same file itself.
    if (!m_ownStore)
        m_ownStore = new Sqlite(this);
    return m_ownStore;
}

TabWidget *LoginForm::tabWidget() const
{
    if (m_tabWidget)
        return m_tabWidget;
    return m_mainFrame ? m_mainFrame->tabWidget() : nullptr;
}

QString LoginForm::passwordDigest(const QString &password)
{
    return QString::fromLatin1(QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Md5).toHex());
}

bool LoginForm::hasChineseCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fa5)
            return true;
    }
    return false;
}

void LoginForm::reloadAccountList()
{
    ComboBox *combo = ui->login_AccountTxt;
    combo->clear();
    const QList<AccountRow> rows = accountStore()->select(
        QStringLiteral("*"), QStringLiteral("is_main=1 and remember_me=1"), QStringLiteral("login_time desc"));
    for (const AccountRow &row : rows)
        combo->addItem(row.value(QStringLiteral("user_name")));
    if (rows.isEmpty())
        combo->showPlaceholder();
}

void LoginForm::fillFromAccount(const QString &name)
{
    const QList<AccountRow> rows = accountStore()->select(QStringLiteral("*"), QStringLiteral("user_name=?"),
                                                          QString(), {name.trimmed()});
    if (rows.isEmpty())
        return;
    AccountRow row = rows.first();
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
    const QList<AccountRow> rows = accountStore()->select(
        QStringLiteral("*"), QStringLiteral("remember_me=1 and user_name=?"), QStringLiteral("login_time desc"), {name});
    return rows.isEmpty() ? QString() : rows.first().value(QStringLiteral("user_pass"));
}

void LoginForm::tryAutoLogin()
{
    const QList<AccountRow> rows = accountStore()->select(
        QStringLiteral("*"), QStringLiteral("is_main=1 and remember_me=1"), QStringLiteral("login_time desc"));
    if (rows.isEmpty())
        return;
    const AccountRow &row = rows.first();
    const QString digest = row.value(QStringLiteral("user_pass"));
    if (row.value(QStringLiteral("auto_login")) != QLatin1String("1") || digest.isEmpty())
        return;
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
    if (hasChineseCharacter(name)) {
        showMessage(QStringLiteral("盒子不支持中文账号"));
        return;
    }
    ui->login_LoginBtn->setText(QStringLiteral("登录中..."));
    ui->login_LoginBtn->setEnabled(false);
    m_passwordHash = passwordDigest(password);
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
    const QString text = Portal::accountText(QStringLiteral("user_login"),
                                             QStringLiteral("user_name=") + name + QStringLiteral("&user_pass=") + digest);
    qDebug() << "handlerAccountLogin: login as" << name;
    m_request->get(Portal::accountUrl(RSASignature::encrypt(text)));
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
    QJsonObject object;
    const QString problem = replyProblem(Portal::stripBom(reply), &object);
    if (!problem.isEmpty()) {
        endAttempt(problem);
        return;
    }
    completeLogin(object);
}

// The message for a reply that is not a login, or empty when object holds one.
QString LoginForm::replyProblem(const QByteArray &body, QJsonObject *object)
{
    if (body == "params error")
        return QStringLiteral("系统异常，请重启客户端后重试 ");
    if (body == "nouser")
        return QStringLiteral("账号不存在!");
    if (body == "password_error")
        return QStringLiteral("密码错误!");
    // JSON that is not an object is as unreadable as no JSON at all.
    if (!Portal::parseObject(body, object))
        return QStringLiteral("系统异常,请重新启动客户端");
    QString message;
    if (Portal::isErrorObject(*object, &message))
        return message.isEmpty() ? QStringLiteral("系统异常:") + replyText(*object, "code") : message;
    for (const QString &field : kIdentityFields) {
        if (!object->contains(field))
            return QStringLiteral("登录异常,请联系客服");
    }
    // Logged in means name, id and token are set; a reply without them is no login.
    for (const char *key : {"user_name", "user_id", "user_token"}) {
        if (replyText(*object, key).isEmpty())
            return QStringLiteral("登录异常,请联系客服");
    }
    return QString();
}

void LoginForm::completeLogin(const QJsonObject &reply)
{
    const QString userName = replyText(reply, "user_name");
    const QString userId = replyText(reply, "user_id");
    writeIdentityCookies(reply);
    if (TabWidget *tabs = tabWidget())
        tabs->setCurrentUserName(userName);
    const QMap<QString, QString> info = loginInfo(reply);
    if (m_badge)
        m_badge->setPhotoUrl(QUrl(Portal::portalRoot() + QStringLiteral("/DODev_C/avatar.php?user_id=") + userId));
    emit signalUserBalanceInfo(info);
    ui->login_PasswordTxt->clear();
    restoreLoginButton();
    storeAccount(reply);
    reloadAccountList();
    closeTabsButHome();
    // After the close, so the page that stays (the home tab) carries the new name.
    showUserInTabs(userName);
    close();
}

void LoginForm::writeIdentityCookies(const QJsonObject &reply)
{
    // A login after another starts from an empty jar and store, so no cookie of
    // the previous account survives.
    if (m_cookieJar && !m_cookieJar->getCookie(QStringLiteral("user_id")).value().isEmpty())
        resetCookieJar();
    if (!m_cookieJar && m_cookieStore)
        setCookieJar(new NetworkCookie(m_cookieStore));
    if (!m_cookieJar) {
        qDebug() << "handlerLoginResult: no cookie jar, the login stays invisible to the pages";
        return;
    }
    const QString domain = Portal::cookieDomain();
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const QList<QPair<QString, QString>> cookies = {
        {QStringLiteral("plat_userid"), replyText(reply, "plat_userid")},
        {QStringLiteral("user_id"), replyText(reply, "user_id")},
        {QStringLiteral("user_name"), replyText(reply, "user_name")},
        {QStringLiteral("user_email"), replyText(reply, "user_email")},
        {QStringLiteral("user_nick"), replyText(reply, "user_nick")},
        {QStringLiteral("user_token"), replyText(reply, "user_token")},
        {QStringLiteral("user_login_time"), now}};
    for (const auto &cookie : cookies)
        m_cookieJar->setCookie(cookie.first, cookie.second, QStringLiteral("/"), 0, domain, false, false);
}

QMap<QString, QString> LoginForm::loginInfo(const QJsonObject &reply)
{
    QMap<QString, QString> info;
    info.insert(QStringLiteral("user_nick"), replyText(reply, "user_nick"));
    info.insert(QStringLiteral("user_id"), replyText(reply, "user_id"));
    const QJsonObject userInfo = reply.value(QLatin1String("user_info")).toObject();
    for (const char *key : {"level", "balance", "points"}) {
        const QString value = replyText(userInfo, key);
        info.insert(QLatin1String(key), value.isEmpty() ? QStringLiteral("0") : value);
    }
    return info;
}

void LoginForm::storeAccount(const QJsonObject &reply)
{
    const QString userId = replyText(reply, "user_id");
    AccountRow row;
    for (const char *key : {"user_id", "user_name", "user_nick", "user_email"})
        row.insert(QLatin1String(key), replyText(reply, key));
    if (!m_passwordHash.isEmpty())
        row.insert(QStringLiteral("user_pass"), m_passwordHash);
    row.insert(QStringLiteral("main_id"), QStringLiteral("0"));
    row.insert(QStringLiteral("list"), QStringLiteral("0"));
    row.insert(QStringLiteral("auto_login"), flag(m_autoLoginChecked));
    row.insert(QStringLiteral("remember_me"), flag(m_rememberChecked));
    row.insert(QStringLiteral("is_main"), QStringLiteral("1"));
    row.insert(QStringLiteral("login_time"), QString::number(QDateTime::currentSecsSinceEpoch()));
    Sqlite *store = accountStore();
    if (store->select(QStringLiteral("*"), QStringLiteral("user_id=?"), QString(), {userId}).isEmpty())
        store->insert(row);
    else
        store->update(row, userId);
}

void LoginForm::showUserInTabs(const QString &userName)
{
    TabWidget *tabs = tabWidget();
    if (!tabs)
        return;
    tabs->setCurrentUserName(userName);
    if (QWidget *page = tabs->currentWidget())
        page->setProperty("userName", userName);
}

void LoginForm::closeTabsButHome()
{
    TabWidget *tabs = tabWidget();
    if (!tabs)
        return;
    // No page may keep the previous identity. Counted down, so a tab that
    // refuses to close cannot hold the loop.
    for (int open = tabs->count(); open > 1; --open)
        tabs->closeTab();
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
    QDesktopServices::openUrl(QUrl(Portal::portalRoot() + path));
}
