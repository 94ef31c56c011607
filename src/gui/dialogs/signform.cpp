#include "dialogs/signform.h"
#include "ui_signform.h"

#include "app/appservices.h"
#include "net/portal.h"
#include "net/session.h"
#include "dialogs/skinphoto.h"
#include "app/toolwindow.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QPointer>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QWebEnginePage>

QString SignForm::calendarUrl(const QString &userId)
{
    return Portal::webPage(QStringLiteral("user_signCalendar")) + QStringLiteral("&v2&user_id=") + userId;
}

SignForm::SignForm(const AppServices &services, QWebChannel *channel, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SignForm)
    , m_services(services)
{
    ui->setupUi(this);
    ToolWindow::setup(this);
    ui->CloseButton->setCursor(Qt::PointingHandCursor);
    connect(ui->CloseButton, &QPushButton::clicked, this, &QWidget::close);
    m_userId = currentUserId();
    // The main account's profile; without a channel the page simply cannot call the client.
    m_view = WebView::createView(calendarUrl(m_userId), m_services.profile, channel);
    m_view->setObjectName(channel ? QStringLiteral("signWebView") : QStringLiteral("vipWebView"));
    connect(m_view, &QWebEngineView::loadFinished, this, &SignForm::readPoints);
    auto *layout = new QVBoxLayout(ui->MainFrame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

SignForm::~SignForm()
{
    delete ui;
}

QString SignForm::currentUserId() const
{
    return m_services.session->identity().userId;
}

void SignForm::readPoints(bool loaded)
{
    if (!loaded)
        return;
    const QString probe = QStringLiteral("(function() { var e = document.getElementById('points');"
                                         " return e ? e.textContent : ''; })()");
    const QPointer<SignForm> self(this);
    const QString userId = m_userId;
    m_view->page()->runJavaScript(probe, [self, userId](const QVariant &result) {
        // The page is the portal's: only a plain number of the user still logged in counts.
        static const QRegularExpression number(QStringLiteral("^\\d{1,12}$"));
        const QString points = result.toString().trimmed();
        if (self && userId == self->currentUserId() && number.match(points).hasMatch())
            emit self->signalPointsShown(points);
    });
}

void SignForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Another user's calendar would be the wrong one, with this user's cookies.
    const QString userId = currentUserId();
    if (m_view && userId != m_userId) {
        m_userId = userId;
        m_view->load(QUrl(calendarUrl(userId)));
    }
}

void SignForm::paintEvent(QPaintEvent *event)
{
    SkinPhoto::paint(this, m_services.skinDirectory);
    QWidget::paintEvent(event);
}
