#include "dialogs/vipform.h"
#include "ui_vipform.h"

#include "app/appservices.h"
#include "net/portal.h"
#include "net/session.h"
#include "dialogs/skinphoto.h"
#include "app/toolwindow.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QDebug>
#include <QVBoxLayout>

VipForm::VipForm(const AppServices &services, QWebChannel *channel, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::VipForm)
    , m_services(services)
{
    ui->setupUi(this);
    ToolWindow::setup(this);
    ui->closeBtn->setCursor(Qt::PointingHandCursor);
    connect(ui->closeBtn, &QPushButton::clicked, this, &QWidget::close);
    const QString url = vipUrl();
    qDebug() << "vip url:" << QUrl(url).toString(QUrl::RemoveQuery);
    m_view = WebView::createView(url, m_services.profile, channel);
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
    const Identity who = m_services.session->identity();
    return Portal::webPage(QStringLiteral("Vip_privilege")) + QStringLiteral("&v2&user_id=") + who.userId
        + QStringLiteral("&user_token=") + who.userToken;
}

void VipForm::reloadVip()
{
    if (!m_view)
        return;
    const QString url = vipUrl();
    // The token stays out of the log.
    qDebug() << "vip url reload:" << QUrl(url).toString(QUrl::RemoveQuery);
    m_view->page()->load(QUrl(url));
}

void VipForm::paintEvent(QPaintEvent *event)
{
    SkinPhoto::paint(this, m_services.skinDirectory);
    QWidget::paintEvent(event);
}
