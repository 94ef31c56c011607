#include "gametools/gametoolbar.h"

#include "app/apppaths.h"
#include "gametools/compactbuttons.h"
#include "gametools/gametoollinks.h"
#include "gametools/gametoolreplies.h"
#include "gametools/screenhostform.h"
#include "net/httprequest.h"
#include "app/noticebox.h"
#include "web/tabwidget.h"
#include "web/webview.h"
#include "web/windowfinder.h"

#include <QMessageBox>
#include <QPushButton>

GameToolBar::GameToolBar(const QString &buttonPrefix, const QString &viewName, QWidget *parent)
    : QWidget(parent)
    , m_prefix(buttonPrefix)
    , m_viewName(viewName)
{
}

GameToolBar::~GameToolBar() = default;

QPushButton *GameToolBar::button(const QString &name) const
{
    return findChild<QPushButton *>(m_prefix + name);
}

void GameToolBar::connectButtons()
{
    const QList<QPair<QString, void (GameToolBar::*)()>> actions = {
        {QStringLiteral("SmallAccountBtn"), &GameToolBar::signalSmallAccount},
        {QStringLiteral("RefreshBtn"), &GameToolBar::signalReload},
        {QStringLiteral("FullScreenBtn"), &GameToolBar::signalFullscreen},
        {QStringLiteral("ScreeshotBtn"), &GameToolBar::signalScreenhost},
        {QStringLiteral("ClearBtn"), &GameToolBar::signalCleanCache},
        {QStringLiteral("EyeBtn"), &GameToolBar::signalBossKey},
        {QStringLiteral("VoiceBtn"), &GameToolBar::handlerAudioMuted},
        {QStringLiteral("ShopBtn"), &GameToolBar::handlerBtnLink},
        {QStringLiteral("FirstPayBtn"), &GameToolBar::handlerBtnLink},
        {QStringLiteral("GitfBtn"), &GameToolBar::handlerBtnLink},
        {QStringLiteral("MoneyBtn"), &GameToolBar::handlerBtnLink},
        {QStringLiteral("EarBtn"), &GameToolBar::handlerBtnLink},
    };
    // The share window is the toolbars' own; the tab manager only hears of it.
    connect(this, &GameToolBar::signalScreenhost, this, [this] {
        if (TabWidget *tabs = tabWidget())
            ScreenhostForm::showFor(tabs);
    });
    // A bar without one of these buttons (the H5 bar has no shop) skips it.
    for (const auto &action : actions) {
        if (QPushButton *target = button(action.first))
            connect(target, &QPushButton::clicked, this, action.second);
    }
    if (QPushButton *voice = button(QStringLiteral("VoiceBtn")))
        voice->setProperty("isMuted", false);
    new CompactButtons(this);
}

TabWidget *GameToolBar::tabWidget() const
{
    return WindowFinder::tabWidget(this);
}

void GameToolBar::handlerAudioMuted()
{
    TabWidget *tabs = tabWidget();
    QWidget *tab = tabs ? tabs->currentTab() : nullptr;
    WebView *view = tab ? tab->findChild<WebView *>(m_viewName) : nullptr;
    if (!view)
        return;
    const bool muted = !view->page()->isAudioMuted();
    view->page()->setAudioMuted(muted);
    showSoundState(muted);
}

void GameToolBar::showSoundState(bool muted)
{
    QPushButton *voice = button(QStringLiteral("VoiceBtn"));
    const QString icon = muted ? QStringLiteral("icon-voice.png") : QStringLiteral("icon-voice-open.png");
    voice->setProperty("isMuted", muted);
    voice->setStyleSheet(QStringLiteral("background-image:url(%1)").arg(AppPaths::iconPath(icon)));
}

void GameToolBar::handlerBtnLink()
{
    auto *clicked = qobject_cast<QPushButton *>(sender());
    TabWidget *tabs = tabWidget();
    if (!clicked || !tabs || !tabs->checkLogin())
        return;
    openLink(tabs, clicked->objectName());
}

void GameToolBar::openLink(TabWidget *tabs, const QString &buttonName)
{
    const QString page = GameToolLinks::pageFor(buttonName);
    if (!page.isEmpty())
        tabs->createWebTab(QUrl(page));
}

HttpRequest *GameToolBar::startCall(QPointer<HttpRequest> &pending)
{
    endCall(pending);
    auto *request = new HttpRequest(this);
    pending = request;
    connect(request, &HttpRequest::signalHttpFailed, this, [this, request] {
        request->disconnect(this);
        request->deleteLater();
        showNotice(GameToolReplies::networkTrouble());
    });
    return request;
}

void GameToolBar::endCall(QPointer<HttpRequest> &pending)
{
    if (!pending)
        return;
    // The request may be inside its own signal: it goes once that returns.
    pending->disconnect(this);
    pending->deleteLater();
    pending.clear();
}

void GameToolBar::showNotice(const QString &text)
{
    NoticeBox::show(this, text, m_notice);
}
