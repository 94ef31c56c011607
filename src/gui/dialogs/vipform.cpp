#include "dialogs/vipform.h"
#include "ui_vipform.h"

#include "shell/mainframe.h"
#include "net/portal.h"
#include "net/session.h"
#include "dialogs/skinphoto.h"
#include "web/tabwidget.h"
#include "shell/toolwindow.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QDebug>
#include <QVBoxLayout>

VipForm::VipForm(MainFrame *parent)
    : QWidget(parent)
    , ui(new Ui::VipForm)
    , mainFrame(parent)
{
    ui->setupUi(this);
    ToolWindow::setup(this);
    ui->closeBtn->setCursor(Qt::PointingHandCursor);
    connect(ui->closeBtn, &QPushButton::clicked, this, &QWidget::close);
    if (!mainFrame || !mainFrame->tabWidget())
        return;
    const QString url = vipUrl();
    qDebug() << "vip url:" << QUrl(url).toString(QUrl::RemoveQuery);
    m_view = WebView::createView(url, WebEngineProfile::profileFor(QStringLiteral("default")),
                                 mainFrame->tabWidget()->webChannel());
    m_view->setObjectName(QStringLiteral("vipWebView"));
    auto *layout = new QVBoxLayout(ui->BorowFrame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

VipForm::~VipForm()
{
    delete ui;
}

QString VipForm::vipUrl() const
{
    const Identity who = mainFrame->session()->identity();
    return Portal::webPage(QStringLiteral("Vip_privilege")) + QStringLiteral("&v2&user_id=") + who.userId
        + QStringLiteral("&user_token=") + who.userToken;
}

void VipForm::reloadVip()
{
    if (!mainFrame || !m_view)
        return;
    const QString url = vipUrl();
    // The token stays out of the log.
    qDebug() << "vip url reload:" << QUrl(url).toString(QUrl::RemoveQuery);
    m_view->page()->load(QUrl(url));
}

void VipForm::paintEvent(QPaintEvent *event)
{
    if (mainFrame)
        SkinPhoto::paint(this, mainFrame->skinDirectory());
    QWidget::paintEvent(event);
}
