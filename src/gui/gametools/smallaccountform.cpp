#include "gametools/smallaccountform.h"
#include "ui_smallaccountform.h"

#include "app/apppaths.h"
#include "net/httprequest.h"
#include "app/appservices.h"
#include "app/noticebox.h"
#include "net/portal.h"
#include "net/session.h"
#include "gametools/skinbackdrop.h"
#include "gametools/smallaccountformadd.h"
#include "account/loginservice.h"
#include "gametools/smallaccountplay.h"
#include "gametools/smallaccountrules.h"
#include "gametools/smallleftbarform.h"
#include "account/sqlite.h"
#include "web/systembrowser.h"
#include "web/tabwidget.h"
#include "app/toolwindow.h"
#include "web/windowfinder.h"

#include <QDebug>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString iconSheet(const QString &icon)
{
    return QStringLiteral("background:none;background-color:rgba(0,0,0,0);background-image:url(%1);"
                          "background-repeat:no-repeat; border:none;background-position:center;")
        .arg(AppPaths::iconPath(icon));
}
}

SmallAccountForm::SmallAccountForm(TabWidget *tabs, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SmallAccountForm)
    , m_tabs(tabs)
    , m_listRequest(new HttpRequest(this))
{
    setupForm();
    m_addForm = new SmallAccountFormAdd(tabs, this);
    m_login = SmallAccountPlay::newLogin(store(), this);
    m_listRequest->setOneAttempt(true);
    connect(ui->small_CloseBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->small_AddBtn, &QPushButton::clicked, m_addForm, &QWidget::show);
    connect(ui->small_RegisterBtn, &QPushButton::clicked, this,
            [this] { SystemBrowser::open(this, QUrl(Portal::portalRoot() + QStringLiteral("/register.php"))); });
    connect(ui->small_DeleteAccountBtn, &QPushButton::clicked, this, &SmallAccountForm::askRemoveAccount);
    connect(m_addForm, &SmallAccountFormAdd::signalUpdateSmallForm, this, &SmallAccountForm::handlerUpdatePannel);
    connect(ui->small_AccountListCombo, &QComboBox::currentTextChanged, this,
            &SmallAccountForm::handlerAccountChanged);
    connect(m_listRequest, &HttpRequest::signalHttpSuccess, this, &SmallAccountForm::handlerUpdateGameList);
    connect(m_listRequest, &HttpRequest::signalHttpFailed, this,
            [this] { showNotice(QStringLiteral("游戏收藏获取失败,请稍后重试")); });
    connect(m_login, &LoginService::signalLoggedIn, this, &SmallAccountForm::handlerSmallAccountPlayGame);
    connect(m_login, &LoginService::signalFailed, this, &SmallAccountForm::showNotice);
    refreshPanel(QString());
}

SmallAccountForm::~SmallAccountForm()
{
    delete ui;
}

SmallAccountForm *SmallAccountForm::openOver(TabWidget *tabs, QWidget *owner)
{
    if (!tabs->checkLogin())
        return nullptr;
    auto *form = new SmallAccountForm(tabs, owner);
    form->show();
    return form;
}

void SmallAccountForm::setupForm()
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("SmallAccountForm"));
    ToolWindow::setup(this);
    // Made anew each time: a closed manager goes.
    setAttribute(Qt::WA_DeleteOnClose);
    resize(550, 390);
    for (QPushButton *button : {ui->small_AddBtn, ui->small_DeleteAccountBtn, ui->small_RegisterBtn})
        button->setCursor(Qt::PointingHandCursor);
    ui->small_DeleteAccountBtn->setStyleSheet(
        QStringLiteral("background-image:url(%1);").arg(AppPaths::iconPath(QStringLiteral("icon-close-green-small.png"))));
    SmallAccountPlay::styleScrollBars(ui->small_MainTable);
}

Sqlite *SmallAccountForm::store() const
{
    return m_tabs->services().sqlite;
}

QString SmallAccountForm::mainUserId() const
{
    return m_tabs->session() ? m_tabs->session()->identity().userId : QString();
}

void SmallAccountForm::handlerUpdatePannel(QString name)
{
    refreshPanel(name);
    refreshSideBars();
}

void SmallAccountForm::refreshPanel(const QString &name)
{
    ui->small_AccountShowLabel->clear();
    QComboBox *combo = ui->small_AccountListCombo;
    combo->blockSignals(true);
    combo->clear();
    combo->addItem(SmallAccountRules::chooserPrompt());
    const QString mainId = mainUserId();
    if (store() && !mainId.isEmpty()) {
        for (const AccountRow &row : store()->smallAccountsOf(mainId))
            combo->addItem(row.value(QStringLiteral("user_name")));
    }
    combo->setCurrentIndex(0);
    combo->blockSignals(false);
    const int chosen = name.isEmpty() ? -1 : combo->findText(name);
    // Through the change signal: the chosen account's list is asked for.
    handlerAccountChanged(combo->itemText(chosen > 0 ? chosen : 0));
    if (chosen > 0) {
        combo->blockSignals(true);
        combo->setCurrentIndex(chosen);
        combo->blockSignals(false);
    }
}

void SmallAccountForm::refreshSideBars()
{
    for (SmallLeftBarForm *bar : m_tabs->findChildren<SmallLeftBarForm *>())
        bar->refreshAccountList();
}

void SmallAccountForm::hideTable()
{
    ui->small_MainTable->setRowCount(0);
    ui->small_MainTable->hide();
}

void SmallAccountForm::handlerAccountChanged(QString text)
{
    m_listRequest->cancel();
    hideTable();
    if (text.isEmpty() || text == SmallAccountRules::chooserPrompt()) {
        ui->small_DeleteAccountBtn->hide();
        ui->small_AccountShowLabel->clear();
        return;
    }
    ui->small_AccountShowLabel->setText(text);
    ui->small_DeleteAccountBtn->show();
    const AccountRow row = store() ? store()->smallAccountOf(mainUserId(), text) : AccountRow();
    if (row.isEmpty()) {
        qDebug() << "小号从数据库查询失败,账号名称异常";
        return;
    }
    // A registered account that never logged in has no id yet, and nothing collected.
    const QString userId = row.value(QStringLiteral("user_id"));
    if (!LoginService::isUserId(userId))
        return;
    m_listRequest->get(SmallAccountRules::collectionUrl(userId));
}

void SmallAccountForm::handlerUpdateGameList(QByteArray reply)
{
    bool ok = false;
    const QList<CollectedServer> servers = SmallAccountRules::collection(reply, &ok);
    if (!ok) {
        qDebug() << "reply is not an array";
        showNotice(QStringLiteral("游戏收藏获取失败,请稍后重试"));
        return;
    }
    QTableWidget *table = ui->small_MainTable;
    table->setRowCount(0);
    if (servers.isEmpty()) {
        table->hide();
        return;
    }
    table->show();
    table->setColumnCount(3);
    table->setColumnWidth(0, 220);
    table->setColumnWidth(1, 60);
    table->setColumnWidth(2, 60);
    table->setStyleSheet(QStringLiteral("background-image:none;"));
    for (const CollectedServer &server : servers)
        addServerRow(server);
}

void SmallAccountForm::addServerRow(const CollectedServer &server)
{
    QTableWidget *table = ui->small_MainTable;
    const int row = table->rowCount();
    table->insertRow(row);
    table->setRowHeight(row, 32);
    auto *name = new QTableWidgetItem(server.text);
    name->setToolTip(server.text);
    table->setItem(row, 0, name);

    QPushButton *play = rowButton(QStringLiteral("icon-playgame.png"));
    play->setToolTip(QStringLiteral("进入游戏"));
    play->setProperty("game_id", server.gameId);
    play->setProperty("server_id", server.serverId);
    play->setProperty("host", server.host);
    connect(play, &QPushButton::clicked, this, [this, play] { playServer(play); });
    QPushButton *remove = rowButton(QStringLiteral("icon-delete.png"));
    remove->setToolTip(QStringLiteral("删除收藏"));
    remove->setProperty("collection_id", server.collectionId);
    connect(remove, &QPushButton::clicked, this, [this, remove] { askDeleteCollection(remove); });
    for (int column : {1, 2}) {
        auto *item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, column, item);
    }
    table->setCellWidget(row, 1, play);
    table->setCellWidget(row, 2, remove);
}

QPushButton *SmallAccountForm::rowButton(const QString &icon)
{
    auto *button = new QPushButton;
    button->setFixedSize(40, 36);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(iconSheet(icon));
    return button;
}

void SmallAccountForm::playServer(QPushButton *button)
{
    // One login at a time: a second click while it is out sends nothing.
    if (m_login->isBusy())
        return;
    m_serverId = button->property("server_id").toString();
    m_gameHost = button->property("host").toString();
    m_gameId = button->property("game_id").toString();
    const QString name = ui->small_AccountShowLabel->text().trimmed();
    if (name.isEmpty()) {
        qDebug() << "小号账号为空";
        return;
    }
    m_login->loginStored(name);
}

void SmallAccountForm::handlerSmallAccountPlayGame(Identity who)
{
    TabWidget *tabs = m_tabs;
    SmallAccountPlay::enter(tabs, who);
    if (m_serverId.isEmpty())
        return;
    TabContext context = tabs->currentContext();
    context.serverId = m_serverId;
    context.host = m_gameHost;
    const QUrl url = SmallAccountRules::gamePlayUrl(m_serverId, who);
    qDebug() << "small account play game url:" << url.toString(QUrl::RemoveQuery);
    tabs->createGamePlayTab(url, context);
    close();
}

void SmallAccountForm::askDeleteCollection(QPushButton *button)
{
    qDebug() << "deleteBtn:" << button->property("collection_id").toString();
    QPointer<QPushButton> target(button);
    NoticeBox::ask(this, QStringLiteral("确定要删除么"), [this, target] { deleteCollection(target); });
}

void SmallAccountForm::deleteCollection(QPointer<QPushButton> button)
{
    if (!button)
        return;
    qDebug() << "small account collection delete";
    auto *request = new HttpRequest(this);
    connect(request, &HttpRequest::signalHttpSuccess, this, [this, request, button](const QByteArray &reply) {
        request->deleteLater();
        if (!Portal::isWord(reply, "success")) {
            qDebug() << "small account collection delete error:" << reply.left(200);
            showNotice(QStringLiteral("删除失败,请稍后重试"));
            return;
        }
        QTableWidget *table = ui->small_MainTable;
        for (int row = 0; button && row < table->rowCount(); ++row) {
            if (table->cellWidget(row, 2) == button) {
                table->removeRow(row);
                break;
            }
        }
    });
    connect(request, &HttpRequest::signalHttpFailed, this, [this, request] {
        request->deleteLater();
        showNotice(QStringLiteral("网络异常,请稍后重试"));
    });
    request->get(SmallAccountRules::collectionDeleteUrl(button->property("collection_id").toString()));
}

void SmallAccountForm::askRemoveAccount()
{
    const QString name = ui->small_AccountShowLabel->text().trimmed();
    if (name.isEmpty())
        return;
    NoticeBox::ask(this, QStringLiteral("确定要从本机移除小号“%1”吗?").arg(name), [this, name] {
        if (store() && store()->deleteByName(name))
            handlerUpdatePannel(QString());
    });
}

void SmallAccountForm::showNotice(const QString &text)
{
    NoticeBox::show(this, text, m_notice);
}

void SmallAccountForm::paintEvent(QPaintEvent *event)
{
    SkinBackdrop::paint(this, m_tabs->services().skinDirectory);
    QWidget::paintEvent(event);
}
