#include "dialogs/updateform.h"
#include "ui_updateform.h"

#include "app/apppaths.h"
#include "shell/iconpixmap.h"
#include "net/httprequest.h"
#include "net/portal.h"
#include "app/settings.h"
#include "web/systembrowser.h"
#include "app/toolwindow.h"
#include "dialogs/updatecheck.h"

#include <QUrl>

namespace {
const QString kIsJump = QStringLiteral("update/isJump");
const QString kVersion = QStringLiteral("update/version");
}

UpdateForm::UpdateForm(Settings *settings, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::UpdateForm)
    , m_settings(settings)
    , m_request(new HttpRequest(this))
{
    ui->setupUi(this);
    ToolWindow::setup(this);
    ui->curVersionLabel->setText(QStringLiteral("当前版本:") + AppPaths::clientVersion());
    ui->CheckUpdatebutton->setCursor(Qt::PointingHandCursor);
    ui->CloseButton->setCursor(Qt::PointingHandCursor);
    connect(ui->CloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->CheckUpdatebutton, &QPushButton::clicked, this, &UpdateForm::handlerButton);
    // Only a click is a choice; setting the box from the ini file is not.
    connect(ui->checkBox, &QCheckBox::clicked, this, &UpdateForm::handlerSkipToggled);
    m_request->setOneAttempt(true);
    connect(m_request, &HttpRequest::signalHttpSuccess, this,
            [this](const QByteArray &body) { handlerCheckUpdateResult(QString::fromUtf8(body)); });
    connect(m_request, &HttpRequest::signalHttpFailed, this, &UpdateForm::handlerCheckFailed);
    ui->label_2->setPixmap(
        IconPixmap::load(AppPaths::iconPath(QStringLiteral("update-1.png")), ui->label_2->size(), devicePixelRatioF()));
    handlerCheckUpdate();
}

UpdateForm::~UpdateForm()
{
    delete ui;
}

void UpdateForm::showWaiting()
{
    ui->updateTipLabel->setText(QStringLiteral("正在检查更新…"));
    ui->checkBox->hide();
    ui->CheckUpdatebutton->setText(QStringLiteral("检查更新"));
    ui->CheckUpdatebutton->setEnabled(false);
}

void UpdateForm::handlerCheckUpdate()
{
    showWaiting();
    m_request->get(QUrl(Portal::apiCall(QStringLiteral("check_update"))));
}

void UpdateForm::handlerCheckFailed()
{
    // Asking again is the button's job while there is no answer.
    m_newer = false;
    m_latest.clear();
    ui->updateTipLabel->setText(QStringLiteral("检查更新失败，请稍后再试"));
    ui->CheckUpdatebutton->setText(QStringLiteral("检查更新"));
    ui->CheckUpdatebutton->setEnabled(true);
}

void UpdateForm::handlerCheckUpdateResult(QString body)
{
    const UpdateCheck::Reply reply = UpdateCheck::read(body.toUtf8());
    if (!reply.readable) {
        handlerCheckFailed();
        return;
    }
    m_latest = reply.latest;
    m_downloadUrl = reply.downloadUrl;
    m_newer = UpdateCheck::isNewer(m_latest, AppPaths::clientVersion());
    ui->lastVersionLabel->setText(QStringLiteral("最新版本:") + m_latest);
    ui->CheckUpdatebutton->setEnabled(true);
    if (!m_newer) {
        ui->checkBox->hide();
        ui->updateTipLabel->setText(QStringLiteral("Korvo游戏盒") + QStringLiteral("已是最新"));
        ui->CheckUpdatebutton->setText(QStringLiteral("确定"));
        return;
    }
    ui->updateTipLabel->setText(QStringLiteral("可以更新到版本:") + m_latest);
    ui->checkBox->show();
    ui->CheckUpdatebutton->setText(QStringLiteral("下载"));
    // Without a web address there is nothing to open.
    ui->CheckUpdatebutton->setEnabled(!m_downloadUrl.isEmpty());
    ui->checkBox->setChecked(m_settings->value(kIsJump).toBool()
                             && m_settings->value(kVersion).toString() == m_latest);
}

void UpdateForm::handlerJumpThisVersion(QString version)
{
    Q_UNUSED(version)
}

void UpdateForm::handlerButton()
{
    if (m_latest.isEmpty()) {
        handlerCheckUpdate();
        return;
    }
    if (!m_newer) {
        close();
        return;
    }
    SystemBrowser::open(this, QUrl(m_downloadUrl));
}

void UpdateForm::handlerSkipToggled(bool checked)
{
    if (m_latest.isEmpty())
        return;
    Settings *settings = m_settings;
    if (checked) {
        settings->setValue(kIsJump, QStringLiteral("true"));
        settings->setValue(kVersion, m_latest);
    } else {
        settings->remove(kIsJump);
        settings->remove(kVersion);
    }
    settings->sync();
}
