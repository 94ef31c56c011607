#include "tabpages.h"

#include "hometoolbar.h"
#include "portal.h"
#include "tabwidget.h"
#include "webenginepage.h"
#include "webengineprofile.h"
#include "webtoolbar.h"
#include "webview.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEngineHttpRequest>

namespace {
const QString kDefaultFlag = QStringLiteral("default");
const QString kHomeTitle = QStringLiteral("游戏中心");

QString homeSectionUrl(const QString &action)
{
    return Portal::webPage(action) + QStringLiteral("&v2");
}

}

TabPages::TabPages(TabWidget *tabs)
    : m_tabs(tabs)
{
}

void TabPages::setDefaultProfile(WebEngineProfile *profile)
{
    m_defaultProfile = profile;
}

WebEngineProfile *TabPages::chosenProfile() const
{
    if (m_tabs->profileFlag != kDefaultFlag)
        return WebEngineProfile::profileFor(m_tabs->profileFlag);
    return m_defaultProfile ? m_defaultProfile : WebEngineProfile::profileFor(kDefaultFlag);
}

WebView *TabPages::createOwnedView(const QWebEngineHttpRequest &request)
{
    auto *page = new WebEnginePage(chosenProfile());
    WebView *view = WebView::createView(request, page, m_tabs->webChannel());
    // Views own their pages and the container owns views and toolbars.
    page->setParent(view);
    view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return view;
}

QWidget *TabPages::createHomePanel(const QString &viewName, const QString &action)
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    WebView *view = createOwnedView(QWebEngineHttpRequest(QUrl(homeSectionUrl(action))));
    view->setObjectName(viewName);
    layout->addWidget(view);
    return panel;
}

HomeToolBar *TabPages::addHomeTab()
{
    auto *bar = new HomeToolBar(m_tabs);
    auto *container = new QWidget(m_tabs);
    container->setProperty("userName", m_tabs->currentUserName);
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);

    auto *body = new QWidget;
    body->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(5);
    QWidget *left = createHomePanel(QStringLiteral("homeLeftView"), QStringLiteral("left"));
    left->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    left->setFixedWidth(258);
    row->addWidget(left);
    QWidget *right = createHomePanel(QStringLiteral("homePageWebView"), QStringLiteral("index"));
    right->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    row->addWidget(right);
    layout->addWidget(body);

    container->setProperty("myProfileFlag", kDefaultFlag);
    container->setObjectName(QStringLiteral("homeMainWidget"));
    const int home = m_tabs->addTab(container, kHomeTitle);
    m_tabs->setTabToolTip(home, kHomeTitle);
    // The home tab never closes; a close button on it would do nothing.
    QTabBar *tabBar = m_tabs->tabBar();
    for (QTabBar::ButtonPosition side : {QTabBar::LeftSide, QTabBar::RightSide}) {
        if (QWidget *button = tabBar->tabButton(home, side)) {
            tabBar->setTabButton(home, side, nullptr);
            button->deleteLater();
        }
    }
    m_tabs->updateTabBarWidth(m_tabs->count());
    return bar;
}

WebView *TabPages::addWebTab(const QWebEngineHttpRequest &request)
{
    auto *container = new QWidget;
    container->setObjectName(QStringLiteral("webtabOther"));
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 5, 0, 5);
    auto *bar = new WebToolBar(m_tabs);
    m_tabs->webToolBar = bar;
    bar->setGeometry(0, 0, m_tabs->width(), 40);
    QObject::connect(bar, &WebToolBar::signalReload, m_tabs, &TabWidget::handlerReload);
    layout->addWidget(bar);
    WebView *view = createOwnedView(request);
    view->setObjectName(QStringLiteral("webotherview"));
    view->setFocus(Qt::OtherFocusReason);
    layout->addWidget(view);

    container->setProperty("myProfileFlag", m_tabs->profileFlag);
    container->setProperty("userName", m_tabs->currentUserName);
    showTab(container, view, QString(), QString(), true);
    return view;
}

void TabPages::showTab(QWidget *container, WebView *view, const QString &text, const QString &toolTip, bool cutTitles)
{
    const int index = m_tabs->addTab(container, text);
    if (!toolTip.isEmpty())
        m_tabs->setTabToolTip(index, toolTip);
    m_tabs->setCurrentIndex(index);
    m_tabs->updateTabBarWidth(m_tabs->count());
    watchTitle(view, container, cutTitles);
}

void TabPages::watchTitle(WebView *view, QWidget *container, bool cut)
{
    QPointer<QWidget> tab(container);
    QObject::connect(view, &WebView::titleChanged, m_tabs, [this, tab, cut](const QString &title) {
        if (tab)
            showTitle(tab, title, cut);
    });
}

void TabPages::showTitle(QWidget *container, const QString &title, bool cut)
{
    const int index = m_tabs->indexOf(container);
    if (index < 0)
        return;
    const QString text = m_tabs->currentUserName + QLatin1Char('|') + (cut ? TabWidget::cutTitle(title) : title);
    m_tabs->setTabText(index, TabWidget::elideTitle(text));
    m_tabs->setTabToolTip(index, text);
}
