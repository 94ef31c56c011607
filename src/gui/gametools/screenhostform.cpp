#include "gametools/screenhostform.h"
#include "ui_screenhostform.h"

#include "app/noticebox.h"
#include "gametools/screenshotshare.h"
#include "app/appservices.h"
#include "net/session.h"
#include "gametools/skinbackdrop.h"
#include "web/tabwidget.h"
#include "app/toolwindow.h"

#include <QMessageBox>
#include <QPushButton>

ScreenhostForm::ScreenhostForm(TabWidget *tabs)
    : QWidget(tabs)
    , ui(new Ui::ScreenhostForm)
    , m_tabs(tabs)
    , m_share(new ScreenshotShare(this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("ScreenhostForm"));
    ToolWindow::setup(this);
    resize(615, 260);
    ui->sendButton->setCursor(Qt::PointingHandCursor);
    ui->NumberLabel->setText(QStringLiteral("0/%1").arg(ScreenshotShare::maxComment));
    connect(ui->CloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->DynamicEdit, &QTextEdit::textChanged, this, &ScreenhostForm::countCharacters);
    connect(ui->sendButton, &QPushButton::clicked, this, &ScreenhostForm::handlerDynamicPublic);
    connect(m_share, &ScreenshotShare::signalUploaded, this, &ScreenhostForm::handlerUploadImageFinished);
    connect(m_share, &ScreenshotShare::signalPublished, this, &ScreenhostForm::handlerDynamicPublicResult);
    connect(m_share, &ScreenshotShare::signalFailed, this, &ScreenhostForm::handlerFailed);
}

ScreenhostForm::~ScreenhostForm()
{
    delete ui;
}

void ScreenhostForm::showFor(TabWidget *tabs)
{
    // One share window for every toolbar, made on first use and kept by the tab manager.
    QPointer<ScreenhostForm> slot = tabs->findChild<ScreenhostForm *>(QString(), Qt::FindDirectChildrenOnly);
    ScreenhostForm *form = ToolWindow::kept(slot, tabs);
    form->capture(tabs->currentTab());
    form->show();
    form->ui->DynamicEdit->setFocus(Qt::OtherFocusReason);
}

bool ScreenhostForm::capture(QWidget *page)
{
    if (!page)
        return false;
    ui->TipLabel->clear();
    const QImage picture = page->grab(ScreenshotShare::captureRect(page->size())).toImage();
    if (ScreenshotShare::isBlank(picture)) {
        ui->TipLabel->setText(QStringLiteral("游戏画面尚未显示,请稍后再截图"));
        return false;
    }
    if (!m_share->keep(picture)) {
        ui->TipLabel->setText(QStringLiteral("截图保存失败"));
        return false;
    }
    ui->ImageLabel->setPixmap(QPixmap::fromImage(picture));
    return true;
}

void ScreenhostForm::countCharacters()
{
    QTextEdit *edit = ui->DynamicEdit;
    const QString text = edit->toPlainText();
    const QString kept = ScreenshotShare::cutComment(text);
    if (kept != text) {
        const QSignalBlocker quiet(edit);
        edit->setPlainText(kept);
        edit->moveCursor(QTextCursor::End);
    }
    ui->NumberLabel->setText(QStringLiteral("%1/%2").arg(kept.size()).arg(ScreenshotShare::maxComment));
}

void ScreenhostForm::handlerDynamicPublic()
{
    uploadImage();
}

void ScreenhostForm::uploadImage()
{
    Session *session = m_tabs->session();
    // Shared as the main account, whichever account plays in the tab.
    if (!session || !session->isLoggedIn()) {
        ui->TipLabel->setText(QStringLiteral("请先登录"));
        return;
    }
    if (!m_share->send(session->identity(), ui->DynamicEdit->toPlainText()))
        return;
    ui->TipLabel->setText(QStringLiteral("上传中..."));
    ui->sendButton->setEnabled(false);
}

void ScreenhostForm::handlerUploadImageFinished()
{
    ui->TipLabel->setText(QStringLiteral("发布中..."));
}

void ScreenhostForm::handlerDynamicPublicResult()
{
    const QString done = QStringLiteral("发布成功！稍后将在动态中心展示！");
    ui->TipLabel->setText(done);
    ui->sendButton->setEnabled(true);
    QMessageBox *box = NoticeBox::show(this, done + QLatin1Char('!'), m_notice);
    connect(box, &QMessageBox::buttonClicked, this, [this] {
        ui->DynamicEdit->clear();
        close();
    });
}

void ScreenhostForm::handlerFailed(const QString &message)
{
    ui->TipLabel->setText(message);
    ui->sendButton->setEnabled(true);
}

void ScreenhostForm::paintEvent(QPaintEvent *event)
{
    SkinBackdrop::paint(this, m_tabs->services().skinDirectory);
    QWidget::paintEvent(event);
}
