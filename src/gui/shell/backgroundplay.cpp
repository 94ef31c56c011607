#include "shell/backgroundplay.h"

#include "app/extras.h"
#include "app/settings.h"
#include "shell/gametabmenu.h"
#include "web/tabcontainer.h"
#include "web/tabwidget.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QStackedLayout>
#include <QStackedWidget>
#include <QWebEngineView>

namespace {
// The tab's own choice, kept on its container while it lives.
const char *const kChoiceProperty = "backgroundPlay";

void setLifecycle(QWidget *page, QWebEnginePage::LifecycleState state)
{
    for (QWebEngineView *view : page->findChildren<QWebEngineView *>()) {
        if (view->page()->lifecycleState() != state)
            view->page()->setLifecycleState(state);
    }
}
}

BackgroundPlay::BackgroundPlay(TabWidget *tabs, Settings *settings)
    : QObject(tabs)
    , m_tabs(tabs)
    , m_settings(settings)
    , m_stack(tabs->findChild<QStackedWidget *>(QString(), Qt::FindDirectChildrenOnly))
{
    auto *layout = m_stack ? qobject_cast<QStackedLayout *>(m_stack->layout()) : nullptr;
    if (!layout)
        return;
    layout->setStackingMode(QStackedLayout::StackAll);
    m_stack->installEventFilter(this);
    connect(tabs, &QTabWidget::currentChanged, this, &BackgroundPlay::apply);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { keepFocusInFront(now); });
    if (settings) {
        connect(settings, &Settings::valueChanged, this, [this](const QString &key) {
            if (key == Extras::key(Extras::BackgroundPlay))
                apply();
        });
    }
    apply();
}

BackgroundPlayRule::TabKind BackgroundPlay::kindOf(const QWidget *tab)
{
    return BackgroundPlayRule::kindOf(tab->objectName(), TabContainer::contextOf(tab).serverId);
}

bool BackgroundPlay::keepsRunning(QWidget *tab) const
{
    return tab
        && BackgroundPlayRule::keepsRunning(kindOf(tab), Extras::enabled(m_settings, Extras::BackgroundPlay),
                                            choice(tab));
}

BackgroundPlayRule::Choice BackgroundPlay::choice(QWidget *tab) const
{
    const QVariant chosen = tab ? tab->property(kChoiceProperty) : QVariant();
    if (!chosen.isValid())
        return BackgroundPlayRule::Choice::Setting;
    return chosen.toBool() ? BackgroundPlayRule::Choice::KeepRunning : BackgroundPlayRule::Choice::Sleep;
}

void BackgroundPlay::setChoice(QWidget *tab, BackgroundPlayRule::Choice choice)
{
    if (!tab)
        return;
    tab->setProperty(kChoiceProperty, choice == BackgroundPlayRule::Choice::Setting
                                          ? QVariant()
                                          : QVariant(choice == BackgroundPlayRule::Choice::KeepRunning));
    apply();
}

void BackgroundPlay::apply()
{
    if (!m_stack)
        return;
    QWidget *current = m_tabs->currentWidget();
    for (int index = 0; index < m_tabs->count(); ++index)
        place(m_tabs->widget(index), m_tabs->widget(index) == current);
    if (current)
        current->raise();
}

void BackgroundPlay::place(QWidget *page, bool current)
{
    const BackgroundPlayRule::TabKind kind = kindOf(page);
    const bool game = BackgroundPlayRule::isGame(kind);
    // A covered game must not show through the margins of whatever is above it.
    if (!page->autoFillBackground())
        page->setAutoFillBackground(true);
    if (current) {
        page->show();
        if (game)
            setLifecycle(page, QWebEnginePage::LifecycleState::Active);
        return;
    }
    if (keepsRunning(page)) {
        page->show();
        setLifecycle(page, QWebEnginePage::LifecycleState::Active);
        return;
    }
    page->hide();
    // Ordinary pages freeze later, by their own rule; a game asked to sleep sleeps now.
    if (game)
        setLifecycle(page, QWebEnginePage::LifecycleState::Frozen);
}

void BackgroundPlay::keepFocusInFront(QWidget *now)
{
    QWidget *current = m_tabs->currentWidget();
    if (!now || !current || current->isAncestorOf(now))
        return;
    for (int index = 0; index < m_tabs->count(); ++index) {
        QWidget *page = m_tabs->widget(index);
        if (page == current || !page->isAncestorOf(now))
            continue;
        // Keys meant for the game in front would go to a game nobody sees.
        QWidget *target = current->focusWidget() ? current->focusWidget() : current;
        target->setFocus(Qt::OtherFocusReason);
        return;
    }
}

bool BackgroundPlay::eventFilter(QObject *watched, QEvent *event)
{
    // A page added behind the current one is shown by the stack; the rule decides.
    if (watched == m_stack && event->type() == QEvent::ChildAdded)
        QMetaObject::invokeMethod(this, &BackgroundPlay::apply, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void BackgroundPlay::addMenuActions(QMenu *menu, QWidget *tab)
{
    if (!tab || !BackgroundPlayRule::isGame(kindOf(tab)))
        return;
    QPointer<QWidget> target(tab);
    GameTabMenu::addToggle(menu, QStringLiteral("后台保持运行"), QStringLiteral("gameTabMenu_BackgroundPlayAction"),
                           keepsRunning(tab), this, [this, target](bool on) {
                               setChoice(target, on ? BackgroundPlayRule::Choice::KeepRunning
                                                    : BackgroundPlayRule::Choice::Sleep);
                           });
}
