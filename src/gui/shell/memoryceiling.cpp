#include "shell/memoryceiling.h"

#include "app/processsampler.h"
#include "app/settings.h"
#include "shell/statusbar.h"
#include "web/tabcontainer.h"
#include "web/tabwidget.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWebEngineView>

namespace {
// When the tab was last in front, on the ceiling's clock; kept on the tab.
const char *const kLastShownProperty = "lastShownMs";
constexpr int kDefaultIntervalMs = 10 * 1000;

QList<QWebEngineView *> viewsOf(const QWidget *tab)
{
    return tab->findChildren<QWebEngineView *>();
}
}

MemoryCeiling::MemoryCeiling(TabWidget *tabs, Settings *settings, StatusBar *bar)
    : QObject(tabs)
    , m_tabs(tabs)
    , m_settings(settings)
    , m_bar(bar)
    , m_sampler(new ProcessSampler(this))
    , m_timer(new QTimer(this))
{
    m_clock.start();
    m_timer->setInterval(kDefaultIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &MemoryCeiling::takeReading);
    connect(m_sampler, &ProcessSampler::sampled, this, &MemoryCeiling::act);
    connect(tabs, &QTabWidget::currentChanged, this, &MemoryCeiling::noteCurrent);
    if (settings) {
        connect(settings, &Settings::valueChanged, this, [this](const QString &key) {
            if (key.startsWith(QLatin1String("memory/")))
                followSetting();
        });
    }
    noteCurrent(tabs->currentIndex());
    followSetting();
}

void MemoryCeiling::setInterval(int ms)
{
    m_timer->setInterval(ms);
}

bool MemoryCeiling::isWatching() const
{
    return m_timer->isActive();
}

// Off, nothing is read at all.
void MemoryCeiling::followSetting()
{
    const bool on = m_settings && m_settings->memoryCeilingMiB() > 0;
    if (on && !m_timer->isActive())
        m_timer->start();
    else if (!on)
        m_timer->stop();
}

void MemoryCeiling::takeReading()
{
    // A slow reading is not asked for twice.
    if (m_reading)
        return;
    m_reading = true;
    m_sampler->requestTree(QCoreApplication::applicationPid());
}

void MemoryCeiling::act()
{
    m_reading = false;
    const qint64 ceiling = m_settings ? m_settings->memoryCeilingMiB() : 0;
    const QList<TabContainer *> tabs = containers();
    QList<DiscardRule::Tab> described;
    for (const TabContainer *tab : tabs)
        described.append(describe(tab));
    const int chosen = DiscardRule::pick(ceiling, m_sampler->treePssKiB(), described);
    if (chosen >= 0)
        discard(tabs.at(chosen));
    emit signalChecked(m_sampler->treePssKiB());
}

void MemoryCeiling::noteCurrent(int index)
{
    const qint64 now = m_clock.elapsed() + 1;
    if (m_current)
        m_current->setProperty(kLastShownProperty, now);
    m_current = m_tabs->widget(index);
    if (!m_current)
        return;
    m_current->setProperty(kLastShownProperty, now);
    wake(m_current);
}

QList<TabContainer *> MemoryCeiling::containers() const
{
    QList<TabContainer *> tabs;
    for (int index = 0; index < m_tabs->count(); ++index) {
        if (auto *tab = qobject_cast<TabContainer *>(m_tabs->widget(index)))
            tabs.append(tab);
    }
    return tabs;
}

DiscardRule::Tab MemoryCeiling::describe(const TabContainer *tab) const
{
    DiscardRule::Tab described;
    described.kind = tab->context().kind;
    described.shown = tab == m_tabs->currentWidget() || tab->isVisibleTo(m_tabs);
    described.lastShownMs = tab->property(kLastShownProperty).toLongLong();
    const QList<QWebEngineView *> views = viewsOf(tab);
    // A tab without a page has nothing to give back.
    described.discarded = views.isEmpty();
    for (const QWebEngineView *view : views)
        described.discarded = described.discarded
            || view->page()->lifecycleState() == QWebEnginePage::LifecycleState::Discarded;
    return described;
}

void MemoryCeiling::discard(TabContainer *tab)
{
    const QList<QWebEngineView *> views = viewsOf(tab);
    const QString title = views.first()->page()->title();
    for (QWebEngineView *view : views) {
        if (view->page()->lifecycleState() != QWebEnginePage::LifecycleState::Discarded)
            view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Discarded);
    }
    const int index = m_tabs->indexOf(tab);
    if (m_bar)
        m_bar->showNotice(DiscardRule::notice(title.isEmpty() ? m_tabs->tabText(index) : title));
    emit signalDiscarded(tab);
}

// Shown again, a discarded or frozen page comes back (a discarded one reloads).
void MemoryCeiling::wake(QWidget *tab)
{
    for (QWebEngineView *view : viewsOf(tab)) {
        if (view->page()->lifecycleState() == QWebEnginePage::LifecycleState::Discarded)
            view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Active);
    }
}
