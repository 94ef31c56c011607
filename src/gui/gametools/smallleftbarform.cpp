#include "gametools/smallleftbarform.h"
#include "ui_smallleftbarform.h"

#include "app/apppaths.h"
#include "app/appservices.h"
#include "app/noticebox.h"
#include "net/portal.h"
#include "net/session.h"
#include "account/loginservice.h"
#include "gametools/smallaccountplay.h"
#include "account/sqlite.h"
#include "web/tabcontainer.h"
#include "web/tabwidget.h"
#include "web/webenginepage.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QDebug>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

// The avatar drawn into a 60 x 60 circle.
QPixmap roundAvatar()
{
    QPixmap round(60, 60);
    round.fill(Qt::transparent);
    QPainter painter(&round);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QPainterPath circle;
    circle.addEllipse(0, 0, 60, 60);
    painter.setClipPath(circle);
    painter.drawPixmap(0, 0, 60, 60, QPixmap(AppPaths::iconPath(QStringLiteral("noavatar_big.gif"))));
    return round;
}
}

SmallLeftBarForm::SmallLeftBarForm(TabWidget *tabs, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SmallLeftBarForm)
    , m_tabs(tabs)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("SmallLeftBarForm"));
    ui->smallBar_AccountFormBtn->setIcon(QIcon(AppPaths::iconPath(QStringLiteral("icon-small-account.png"))));
    ui->smallBar_CloseBtn->setIcon(QIcon(AppPaths::iconPath(QStringLiteral("icon-back.png"))));
    for (QPushButton *button : {ui->smallBar_AccountFormBtn, ui->smallBar_CloseBtn}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setFlat(true);
    }
    auto *frameLayout = new QVBoxLayout(ui->smallBar_RecomentViewFrame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    setupTable();
    m_login = SmallAccountPlay::newLogin(m_tabs->services().sqlite, this);
    connect(m_login, &LoginService::signalLoggedIn, this, &SmallLeftBarForm::handlerLoginResult);
    connect(m_login, &LoginService::signalFailed, this, &SmallLeftBarForm::showNotice);
    connect(ui->smallBar_AccountListTable, &QTableWidget::cellClicked, this, &SmallLeftBarForm::smallLogin);
    connect(ui->smallBar_CloseBtn, &QPushButton::clicked, this, [this] { setFixedWidth(0); });
    connect(ui->smallBar_AccountFormBtn, &QPushButton::clicked, m_tabs, &TabWidget::signalSmallAccountManagerRequested);
    refreshAccountList();
}

SmallLeftBarForm::~SmallLeftBarForm()
{
    delete ui;
}

void SmallLeftBarForm::setupTable()
{
    QTableWidget *table = ui->smallBar_AccountListTable;
    SmallAccountPlay::styleScrollBars(table);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setFocusPolicy(Qt::NoFocus);
}

void SmallLeftBarForm::open()
{
    setFixedWidth(openWidth);
    loadRecommendations();
}

void SmallLeftBarForm::loadRecommendations()
{
    TabWidget *tabs = m_tabs;
    if (m_recommendations)
        return;
    auto *page = new WebEnginePage(WebEngineProfile::profileFor(QStringLiteral("default")));
    m_recommendations = WebView::createView(Portal::webPage(QStringLiteral("left_bottom_three")), page,
                                            tabs->webChannel());
    page->setParent(m_recommendations);
    m_recommendations->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    ui->smallBar_RecomentViewFrame->layout()->addWidget(m_recommendations);
}

void SmallLeftBarForm::refreshAccountList()
{
    const AppServices &services = m_tabs->services();
    QTableWidget *table = ui->smallBar_AccountListTable;
    table->clear();
    table->setColumnCount(2);
    table->setRowCount(0);
    table->setColumnWidth(0, 100);
    table->setColumnWidth(1, 100);
    if (!services.sqlite || !m_tabs->session())
        return;
    const QString mainId = m_tabs->session()->identity().userId;
    if (mainId.isEmpty())
        return;
    const QList<AccountRow> rows = services.sqlite->smallAccountsOf(mainId);
    for (int i = 0; i < rows.size(); ++i) {
        if (i % 2 == 0) {
            table->insertRow(i / 2);
            table->setRowHeight(i / 2, 90);
        }
        auto *item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(i / 2, i % 2, item);
        table->setCellWidget(i / 2, i % 2, newTile(rows.at(i).value(QStringLiteral("user_name"))));
    }
}

QWidget *SmallLeftBarForm::newTile(const QString &userName)
{
    static const QPixmap avatar = roundAvatar();
    auto *tile = new QWidget;
    tile->setProperty("user_name", userName);
    tile->setCursor(Qt::PointingHandCursor);
    tile->setToolTip(QStringLiteral("以小号“%1”进入当前游戏").arg(userName));
    auto *layout = new QVBoxLayout(tile);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *picture = new QLabel;
    picture->setFixedSize(100, 60);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(avatar);
    auto *name = new QLabel(userName);
    name->setObjectName(QStringLiteral("smallBar_TileName"));
    name->setAlignment(Qt::AlignCenter);
    name->setFixedHeight(30);
    name->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(picture);
    layout->addWidget(name);
    // Clicks on the labels reach the table cell under them.
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    name->setAttribute(Qt::WA_TransparentForMouseEvents);
    tile->setAttribute(Qt::WA_TransparentForMouseEvents);
    return tile;
}

void SmallLeftBarForm::smallLogin(int row, int column)
{
    QWidget *tile = ui->smallBar_AccountListTable->cellWidget(row, column);
    // The free right cell of an odd last row, or a login still out.
    if (!tile || m_login->isBusy())
        return;
    // The small account plays this tab's game: a server opened from a list may not know it yet.
    QWidget *page = ownTab(m_tabs);
    if (page && TabContainer::contextOf(page).host.isEmpty()) {
        showNotice(m_tabs->askForGameOf(page));
        return;
    }
    m_login->loginStored(tile->property("user_name").toString());
}

void SmallLeftBarForm::handlerLoginResult(Identity who)
{
    // The game of the tab this side bar belongs to.
    QWidget *page = ownTab(m_tabs);
    const TabContext own = page ? TabContainer::contextOf(page) : m_tabs->currentContext();
    SmallAccountPlay::enter(m_tabs, who);
    if (own.gameType == QLatin1String("h5"))
        m_tabs->createH5HostTab(own.host, QString());
    else
        m_tabs->createHostTab(own.host, QString());
}

QWidget *SmallLeftBarForm::ownTab(TabWidget *tabs) const
{
    const QList<QWidget *> all = tabs->allTabs();
    for (QWidget *up = parentWidget(); up; up = up->parentWidget()) {
        if (all.contains(up))
            return up;
    }
    return tabs->currentTab();
}

void SmallLeftBarForm::showNotice(const QString &text)
{
    NoticeBox::show(this, text, m_notice);
}
