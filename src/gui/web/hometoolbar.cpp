#include "web/hometoolbar.h"
#include "ui_hometoolbar.h"

#include "app/apppaths.h"
#include "net/portal.h"

#include <QUrl>

HomeToolBar::HomeToolBar(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::HomeToolBar)
{
    ui->setupUi(this);
    setFixedHeight(40);
    connectButtons();
    buildHighlightStyles();
    applyToolBarStyle();
    highlight(ui->homeBar_HomePageBtn);
    setCursors();
}

HomeToolBar::~HomeToolBar()
{
    delete ui;
}

void HomeToolBar::connectButtons()
{
    connect(ui->homeBar_HomePageBtn, &QPushButton::clicked, this, &HomeToolBar::handlerHomePage);
    connect(ui->homeBar_WebGameBtn, &QPushButton::clicked, this, &HomeToolBar::handlerWebGame);
    connect(ui->homeBar_MobileGameBtn, &QPushButton::clicked, this, &HomeToolBar::handlerMobileGame);
    connect(ui->homeBar_H5GameBtn, &QPushButton::clicked, this, &HomeToolBar::handlerH5Game);
    connect(ui->homeBar_EyeBtn, &QPushButton::clicked, this, &HomeToolBar::signalBossKey);
    connect(ui->homeBar_CleanBtn, &QPushButton::clicked, this, &HomeToolBar::signalCleanCache);
    connect(ui->homeBar_SmallAccountBtn, &QPushButton::clicked, this, &HomeToolBar::signalSmallAccount);
    // The cache and hide buttons open no page, so they never ask for a login:
    // a boss key that pops up the login dialog would defeat its purpose.
    for (QPushButton *link : {ui->homeBar_ptbAddBtn, ui->homeBar_GetjfBtn, ui->homeBar_MoneyBtn,
                              ui->homeBar_EarBtn, ui->homeBar_GiftBtn})
        connect(link, &QPushButton::clicked, this, &HomeToolBar::handlerCommonBtn);
}

void HomeToolBar::buildHighlightStyles()
{
    const QString style = QStringLiteral("background-image:url(%1);border-bottom:2px solid %2;");
    const QString green = QStringLiteral("#6dbe06");
    m_navButtons = {ui->homeBar_HomePageBtn, ui->homeBar_WebGameBtn, ui->homeBar_MobileGameBtn,
                    ui->homeBar_H5GameBtn};
    const QStringList icons = {QStringLiteral("icon-home-hover.png"), QStringLiteral("icon-web-hover.png"),
                               QStringLiteral("icon-android-hover.png"), QStringLiteral("icon-h5-hover.png")};
    for (int i = 0; i < m_navButtons.size(); ++i)
        m_highlightStyles.insert(m_navButtons.at(i)->objectName(),
                                 style.arg(AppPaths::iconPath(icons.at(i)), green));
}

void HomeToolBar::applyToolBarStyle()
{
    m_styleSheet = AppPaths::readStyleSheet(AppPaths::stylePath(QStringLiteral("hometoolbar.qss")));
    setStyleSheet(m_styleSheet);
}

void HomeToolBar::setCursors()
{
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
}

void HomeToolBar::highlight(QPushButton *button)
{
    for (QPushButton *nav : qAsConst(m_navButtons))
        nav->setStyleSheet(QString());
    setStyleSheet(m_styleSheet);
    button->setStyleSheet(m_highlightStyles.value(button->objectName()));
}

void HomeToolBar::selectNavButton(const QString &buttonName)
{
    for (QPushButton *nav : qAsConst(m_navButtons)) {
        if (nav->objectName() == buttonName)
            highlight(nav);
    }
}

void HomeToolBar::showAccountFigures(const QString &points, const QString &balance)
{
    showPoints(points);
    ui->homeBar_ptbTextLabel->setText(balance);
}

void HomeToolBar::showPoints(const QString &points)
{
    ui->homeBar_jfTextLabel->setText(points);
}

QString HomeToolBar::points() const
{
    return ui->homeBar_jfTextLabel->text();
}

void HomeToolBar::handlerHomePage()
{
    highlight(ui->homeBar_HomePageBtn);
    emit signalHomePage();
}

void HomeToolBar::handlerWebGame()
{
    highlight(ui->homeBar_WebGameBtn);
    emit signalWebGame();
}

void HomeToolBar::handlerMobileGame()
{
    highlight(ui->homeBar_MobileGameBtn);
    emit signalMobileGame();
}

void HomeToolBar::handlerH5Game()
{
    highlight(ui->homeBar_H5GameBtn);
    emit signalH5Game();
}

QString HomeToolBar::linkPath(const QString &buttonName)
{
    static const QHash<QString, QString> paths = {
        {QStringLiteral("homeBar_GetjfBtn"), QStringLiteral("jfsc/earnPoint.php")},
        {QStringLiteral("homeBar_ptbAddBtn"), QStringLiteral("pay-game.php")},
        {QStringLiteral("homeBar_MoneyBtn"), QStringLiteral("pay-game.php")},
        {QStringLiteral("homeBar_EarBtn"), QStringLiteral("service.php")},
        {QStringLiteral("homeBar_GiftBtn"), QStringLiteral("gift.php")},
    };
    return paths.value(buttonName);
}

void HomeToolBar::handlerCommonBtn()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    const QString path = button ? linkPath(button->objectName()) : QString();
    if (!path.isEmpty())
        emit signalPortalPageRequested(QUrl(Portal::portalRoot() + QLatin1Char('/') + path));
}
