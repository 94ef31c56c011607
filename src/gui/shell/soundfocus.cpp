#include "shell/soundfocus.h"

#include "shell/bossmute.h"
#include "shell/gametabmenu.h"
#include "shell/backgroundplay.h"
#include "web/soundfocusrule.h"
#include "web/tabwidget.h"

#include <QMenu>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {
const char *const kPinnedProperty = "soundPinned";
// On a page: the player's own mute, as the toolbar last left it.
const char *const kPlayerMutedProperty = "playerMuted";

bool isGame(const QWidget *tab)
{
    return BackgroundPlayRule::isGame(BackgroundPlay::kindOf(tab));
}
}

SoundFocus::SoundFocus(TabWidget *tabs, BossMute *bossMute)
    : QObject(tabs)
    , m_tabs(tabs)
    , m_bossMute(bossMute)
{
    connect(tabs, &QTabWidget::currentChanged, this, [this] { follow(m_tabs->currentTab()); });
    // In the split view, the pane the player clicked in.
    connect(tabs, &TabWidget::signalPaneActivated, this, &SoundFocus::follow);
    if (bossMute)
        connect(bossMute, &BossMute::silencingChanged, this, &SoundFocus::apply);
    follow(tabs->currentTab());
}

bool SoundFocus::isPinned(const QWidget *tab) const
{
    return tab && tab->property(kPinnedProperty).toBool();
}

void SoundFocus::setPinned(QWidget *tab, bool pinned)
{
    if (!tab)
        return;
    tab->setProperty(kPinnedProperty, pinned);
    applyTo(tab);
}

bool SoundFocus::isSilenced() const
{
    return m_bossMute && m_bossMute->isSilencing();
}

void SoundFocus::follow(QWidget *tab)
{
    // A page in front takes nothing from the game last played.
    if (tab && isGame(tab))
        m_focused = tab;
    apply();
}

void SoundFocus::apply()
{
    for (QWidget *tab : m_tabs->allTabs())
        applyTo(tab);
}

void SoundFocus::applyTo(QWidget *tab)
{
    SoundFocusRule::Tab state;
    state.game = isGame(tab);
    state.focused = tab == m_focused;
    state.pinned = isPinned(tab);
    const bool silenced = isSilenced();
    for (QWebEngineView *view : tab->findChildren<QWebEngineView *>()) {
        QWebEnginePage *page = view->page();
        if (!page->property(kPlayerMutedProperty).isValid()) {
            // First seen: whatever it is now was the player's (or the page's) doing.
            page->setProperty(kPlayerMutedProperty, page->isAudioMuted() && !silenced);
            connect(page, &QWebEnginePage::audioMutedChanged, this,
                    [this, page](bool muted) { remember(page, muted); });
        }
        state.playerMuted = page->property(kPlayerMutedProperty).toBool();
        const bool muted = SoundFocusRule::muted(state, silenced);
        if (page->isAudioMuted() == muted)
            continue;
        m_applying = true;
        page->setAudioMuted(muted);
        m_applying = false;
    }
}

void SoundFocus::remember(QWebEnginePage *page, bool muted)
{
    // The boss key's silence and its return are not the player's choice.
    if (m_applying || isSilenced())
        return;
    page->setProperty(kPlayerMutedProperty, muted);
}

void SoundFocus::addMenuActions(QMenu *menu, QWidget *tab)
{
    if (!tab || !isGame(tab))
        return;
    QPointer<QWidget> target(tab);
    GameTabMenu::addToggle(menu, QStringLiteral("始终播放声音"), QStringLiteral("gameTabMenu_SoundPinAction"),
                           isPinned(tab), this, [this, target](bool on) { setPinned(target, on); });
}
