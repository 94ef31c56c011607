#include "dialogs/allsignform.h"
#include "ui_allsignform.h"

#include "app/appservices.h"
#include "account/loginservice.h"
#include "net/portal.h"
#include "net/session.h"
#include "dialogs/signform.h"
#include "dialogs/skinphoto.h"
#include "app/toolwindow.h"
#include "web/bridgechannel.h"
#include "web/smallaccountbridge.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QDebug>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEnginePage>

namespace {
// What the calendar page says of itself: "<1 or 0>|<the account it shows>".
const QString signedProbe = QStringLiteral(
    "(function() { var p = document.getElementById('signPage'), u = document.getElementById('signUser');"
    " return (p ? p.getAttribute('data-signed') : '') + '|' + (u ? u.textContent : ''); })()");

QLabel *noticePage(const QString &text)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setObjectName(QStringLiteral("allSign_NoticePage"));
    return label;
}
}

AllSignForm::AllSignForm(const AppServices &services, LoginService *login, QWebChannel *channel, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::AllSignForm)
    , m_services(services)
    , m_channel(channel)
    , m_run(new AllAccountsRun(login, this))
{
    ui->setupUi(this);
    ToolWindow::setup(this);
    ui->CloseButton->setCursor(Qt::PointingHandCursor);
    connect(ui->CloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->allSign_AccountList, &QListWidget::currentRowChanged, ui->allSign_PageStack,
            &QStackedWidget::setCurrentIndex);
    connect(m_run, &AllAccountsRun::signalAccountDone, this, &AllSignForm::handlerAccountDone);
}

AllSignForm::~AllSignForm()
{
    m_run->cancel();
    delete ui;
}

void AllSignForm::start()
{
    const Identity main = m_services.session ? m_services.session->identity() : Identity();
    if (!main.isLoggedIn() || !m_pages.isEmpty())
        return;
    // The main account signs in in the main profile, with the page bridge like the calendar window.
    showCalendar(addAccount(main.userName), main.userId, m_services.profile, m_channel);
    const QStringList smalls = AllAccountsRun::smallAccountNames(m_services.sqlite, main.userId);
    for (const QString &name : smalls)
        addAccount(name);
    ui->allSign_AccountList->setCurrentRow(0);
    updateFoot();
    m_run->start(smalls);
}

int AllSignForm::signedCount() const
{
    int count = 0;
    for (const Page &page : m_pages)
        count += page.state == Signed ? 1 : 0;
    return count;
}

WebView *AllSignForm::viewOf(const QString &userName) const
{
    const int index = indexOf(userName);
    return index < 0 ? nullptr : m_pages.at(index).view;
}

int AllSignForm::indexOf(const QString &userName) const
{
    for (int index = 0; index < m_pages.size(); ++index) {
        if (m_pages.at(index).userName.compare(userName, Qt::CaseInsensitive) == 0)
            return index;
    }
    return -1;
}

int AllSignForm::addAccount(const QString &userName)
{
    Page page;
    page.userName = userName;
    page.item = new QListWidgetItem(ui->allSign_AccountList);
    page.widget = noticePage(QStringLiteral("正在登录“%1”…").arg(userName));
    ui->allSign_PageStack->addWidget(page.widget);
    m_pages.append(page);
    setState(m_pages.size() - 1, LoggingIn);
    return m_pages.size() - 1;
}

void AllSignForm::replacePage(int index, QWidget *widget)
{
    Page &page = m_pages[index];
    QStackedWidget *stack = ui->allSign_PageStack;
    const bool current = stack->currentIndex() == index;
    stack->insertWidget(index, widget);
    stack->removeWidget(page.widget);
    page.widget->deleteLater();
    page.widget = widget;
    if (current)
        stack->setCurrentIndex(index);
}

void AllSignForm::showCalendar(int index, const QString &userId, QWebEngineProfile *profile, QWebChannel *channel)
{
    WebView *view = WebView::createView(SignForm::calendarUrl(userId), profile, channel);
    view->setObjectName(QStringLiteral("allSign_WebView"));
    m_pages[index].view = view;
    replacePage(index, view);
    setState(index, Loading);
    // Each load of the calendar, the first and those after a click on the
    // page's sign-in, says where the account stands; other pages say nothing.
    const QString calendarPath = QUrl(SignForm::calendarUrl(userId)).path();
    connect(view, &QWebEngineView::loadFinished, this, [this, view, calendarPath](bool loaded) {
        for (int i = 0; i < m_pages.size(); ++i) {
            if (m_pages.at(i).view == view && view->url().path() == calendarPath)
                readSigned(i, loaded);
        }
    });
}

QWebChannel *AllSignForm::smallAccountChannel(int index)
{
    // The page's link to the points mall shows the mall in the same page, in
    // the account's own profile: its points, not the main account's.
    auto *channel = new BridgeChannel(this);
    auto *bridge = new SmallAccountBridge(channel);
    channel->registerObject(QStringLiteral("external"), bridge);
    const QString userName = m_pages.at(index).userName;
    connect(bridge, &SmallAccountBridge::signalOpenJFSC, this, [this, userName] {
        if (WebView *view = viewOf(userName))
            view->load(QUrl(Portal::pointsMall()));
    });
    return channel;
}

void AllSignForm::readSigned(int index, bool loaded)
{
    if (!loaded) {
        setState(index, LoadFailed);
        return;
    }
    const QPointer<AllSignForm> self(this);
    const QPointer<WebView> view(m_pages.at(index).view);
    const QString userName = m_pages.at(index).userName;
    view->page()->runJavaScript(signedProbe, [self, view, index, userName](const QVariant &result) {
        if (!self || !view || index >= self->m_pages.size() || self->m_pages.at(index).view != view)
            return;
        // The page is the portal's: only a plain flag for this very account counts.
        const QString text = result.toString().left(200);
        const QString flag = text.section(QLatin1Char('|'), 0, 0);
        const QString shown = text.section(QLatin1Char('|'), 1).trimmed();
        const bool same = shown.compare(userName, Qt::CaseInsensitive) == 0;
        self->setState(index, same && flag == QLatin1String("1") ? Signed : Unsigned);
    });
}

void AllSignForm::setState(int index, State state)
{
    static const char *const words[] = {"登录中…", "加载中…", "未签到", "已签到", "页面加载失败", "登录失败"};
    Page &page = m_pages[index];
    page.state = state;
    page.item->setText(QStringLiteral("%1（%2）").arg(page.userName, QString::fromUtf8(words[state])));
    page.item->setForeground(state == LoginFailed || state == LoadFailed ? QColor(0xc9, 0x3b, 0x30)
                             : state == Signed                          ? QColor(0x1b, 0x6b, 0x58)
                                                                        : QColor(0x33, 0x33, 0x33));
    updateFoot();
}

void AllSignForm::handlerAccountDone(const AllAccountsRun::Outcome &outcome)
{
    const int index = indexOf(outcome.userName);
    if (index < 0)
        return;
    if (!outcome.loggedIn()) {
        replacePage(index, noticePage(QStringLiteral("“%1”登录失败：%2").arg(outcome.userName, outcome.problem)));
        m_pages[index].item->setToolTip(outcome.problem);
        setState(index, LoginFailed);
        return;
    }
    showCalendar(index, outcome.who.userId, WebEngineProfile::profileFor(outcome.who.userId),
                 smallAccountChannel(index));
}

void AllSignForm::updateFoot()
{
    const QString summary = QStringLiteral("已签到 %1 / %2").arg(signedCount()).arg(m_pages.size());
    if (ui->allSign_SummaryLabel->text() != summary) {
        ui->allSign_SummaryLabel->setText(summary);
        emit signalSummaryChanged(summary);
    }
    const QStringList failed = m_run->failedLines();
    const QString text = failed.isEmpty() ? QString() : QStringLiteral("登录失败：") + failed.join(QStringLiteral("；"));
    ui->allSign_FailedLabel->setText(text);
    ui->allSign_FailedLabel->setToolTip(text);
}

void AllSignForm::closeEvent(QCloseEvent *event)
{
    m_run->cancel();
    QWidget::closeEvent(event);
}

void AllSignForm::paintEvent(QPaintEvent *event)
{
    SkinPhoto::paint(this, m_services.skinDirectory);
    QWidget::paintEvent(event);
}
