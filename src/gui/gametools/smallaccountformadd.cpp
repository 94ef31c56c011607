#include "gametools/smallaccountformadd.h"
#include "ui_smallaccountformadd.h"

#include "account/accountoperations.h"
#include "account/loginservice.h"
#include "net/httprequest.h"
#include "app/appservices.h"
#include "app/noticebox.h"
#include "net/session.h"
#include "gametools/skinbackdrop.h"
#include "gametools/smallaccountrules.h"
#include "account/sqlite.h"
#include "web/tabwidget.h"
#include "app/toolwindow.h"

#include <QDebug>
#include <QMessageBox>
#include <QPushButton>

SmallAccountFormAdd::SmallAccountFormAdd(TabWidget *tabs, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SmallAccountFormAdd)
    , m_request(AccountOperations::newRequest(this))
    , m_check(new LoginService(LoginService::SmallAccountCheck, tabs->services().sqlite, this))
    , m_tabs(tabs)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("SmallAccountFormAdd"));
    ToolWindow::setup(this);
    resize(360, 230);
    ui->smalladd_SureBtn->setCursor(Qt::PointingHandCursor);
    ui->smalladd_CancelBtn->setCursor(Qt::PointingHandCursor);
    ui->smalladd_SureBtn->setDefault(true);
    ui->smalladd_MessageLabel->clear();
    ui->smalladd_CheckPassFrame->hide();
    connect(ui->smalladd_SureBtn, &QPushButton::clicked, this, &SmallAccountFormAdd::handlerAddSmallAccount);
    connect(ui->smalladd_CloseBtn, &QPushButton::clicked, this, &SmallAccountFormAdd::cancel);
    connect(ui->smalladd_CancelBtn, &QPushButton::clicked, this, &SmallAccountFormAdd::cancel);
    for (QLineEdit *field : {ui->smalladd_AccountText, ui->smalladd_PassText, ui->smalladd_PassCheckText})
        connect(field, &QLineEdit::returnPressed, ui->smalladd_SureBtn, &QPushButton::click);
    connect(m_request, &HttpRequest::signalHttpSuccess, this, &SmallAccountFormAdd::handlerRegisterSmallAccount);
    connect(m_request, &HttpRequest::signalHttpFailed, this, [this](const QString &error) {
        qDebug() << "small account registration failed:" << error;
        endRequest();
        showNotice(QStringLiteral("网络异常,请稍后重试"));
    });
    connectCheck();
}

// The check is a login of the account: its row is stored by the service.
void SmallAccountFormAdd::connectCheck()
{
    connect(m_check, &LoginService::signalLoggedIn, this, [this](const Identity &who) {
        endRequest();
        finishStored(who.userName);
    });
    connect(m_check, &LoginService::signalFailed, this, [this](const QString &message) {
        endRequest();
        showNotice(message);
    });
    connect(m_check, &LoginService::signalUnknownAccount, this, &SmallAccountFormAdd::offerRegistration);
}

SmallAccountFormAdd::~SmallAccountFormAdd()
{
    delete ui;
}

bool SmallAccountFormAdd::isRegistering() const
{
    return !ui->smalladd_CheckPassFrame->isHidden();
}

QString SmallAccountFormAdd::mainCookie(const char *name) const
{
    Session *session = m_tabs->session();
    return session ? session->cookieValue(QLatin1String(name)) : QString();
}

void SmallAccountFormAdd::cancel()
{
    m_request->cancel();
    m_check->cancel();
    endRequest();
    ui->smalladd_MessageLabel->clear();
    ui->smalladd_CheckPassFrame->hide();
    close();
}

void SmallAccountFormAdd::handlerAddSmallAccount()
{
    if (m_waiting)
        return;
    if (!m_tabs->checkLogin())
        return;
    const QString mainId = mainCookie("user_id");
    const QString account = ui->smalladd_AccountText->text().trimmed();
    const QString password = ui->smalladd_PassText->text().trimmed();
    const bool registering = isRegistering();
    const QString problem = SmallAccountRules::addProblem(account, password,
                                                          ui->smalladd_PassCheckText->text().trimmed(),
                                                          mainCookie("user_name"), registering);
    if (!problem.isEmpty()) {
        showNotice(problem);
        return;
    }
    Sqlite *store = m_tabs->services().sqlite;
    if (store && !store->smallAccountOf(mainId, account).isEmpty()) {
        showNotice(QStringLiteral("当前账号已经存在"));
        return;
    }
    m_pendingName = account;
    m_pendingHash = AccountOperations::passwordDigest(password);
    startRequest();
    if (registering) {
        // The text holds the digest and the API key: it is sealed, never logged.
        m_request->get(AccountOperations::sealedUrl(AccountOperations::registerText(mainId, account, m_pendingHash)));
        return;
    }
    LoginService::Attempt attempt;
    attempt.userName = account;
    attempt.digest = m_pendingHash;
    attempt.mainUserId = mainId;
    m_check->login(attempt);
}

void SmallAccountFormAdd::startRequest()
{
    m_waiting = true;
    ui->smalladd_SureBtn->setEnabled(false);
}

void SmallAccountFormAdd::endRequest()
{
    m_waiting = false;
    ui->smalladd_SureBtn->setEnabled(true);
}

// The portal does not know the name: the dialog offers to register it.
void SmallAccountFormAdd::offerRegistration(const QString &message)
{
    endRequest();
    showNotice(message);
    ui->smalladd_CheckPassFrame->show();
    ui->smalladd_MessageLabel->setText(QStringLiteral("再次输入密码,即可完成小号注册!"));
    ui->smalladd_PassCheckText->setFocus(Qt::OtherFocusReason);
}

void SmallAccountFormAdd::handlerRegisterSmallAccount(QByteArray reply)
{
    endRequest();
    const QString problem = SmallAccountRules::registerProblem(AccountOperations::classify(reply));
    if (!problem.isEmpty()) {
        showNotice(problem);
        return;
    }
    // An account of this name already stored stays as it is.
    Sqlite *store = m_tabs->services().sqlite;
    if (store && store->accountByName(m_pendingName).isEmpty())
        store->insert(SmallAccountRules::registeredRow(m_pendingName, m_pendingHash, mainCookie("user_id")));
    finishStored(m_pendingName);
}

void SmallAccountFormAdd::finishStored(QString name)
{
    m_pendingName.clear();
    m_pendingHash.clear();
    emit signalUpdateSmallForm(name);
    ui->smalladd_AccountText->clear();
    ui->smalladd_PassText->clear();
    ui->smalladd_PassCheckText->clear();
    ui->smalladd_CheckPassFrame->hide();
    ui->smalladd_MessageLabel->clear();
    close();
}

void SmallAccountFormAdd::showNotice(const QString &text)
{
    NoticeBox::show(this, text, m_notice);
}

void SmallAccountFormAdd::paintEvent(QPaintEvent *event)
{
    SkinBackdrop::paint(this, m_tabs->services().skinDirectory);
    QWidget::paintEvent(event);
}
