#include "dialogs/tabresources.h"

#include "app/extras.h"
#include "app/noticebox.h"
#include "app/processsampler.h"
#include "dialogs/resourceform.h"
#include "net/session.h"
#include "web/tabcontainer.h"
#include "web/tabwidget.h"
#include "app/toolwindow.h"

#include <QHelpEvent>
#include <QTabBar>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {
QList<QWebEngineView *> viewsOf(QWidget *container)
{
    return container ? container->findChildren<QWebEngineView *>() : QList<QWebEngineView *>();
}

// Ordinary web pages may sleep in the background; games and the home tab never.
bool mayFreeze(const QWidget *container)
{
    return container && container->objectName() == QLatin1String("webtabOther");
}
}

TabResources::TabResources(TabWidget *tabs, Settings *settings)
    : QObject(tabs)
    , m_tabs(tabs)
    , m_settings(settings)
    , m_sampler(new ProcessSampler(this))
{
    tabs->tabBar()->installEventFilter(this);
    connect(tabs, &QTabWidget::currentChanged, this, &TabResources::handleCurrentChanged);
    connect(m_sampler, &ProcessSampler::sampled, this, [this] {
        if (m_tipIndex >= 0 && QToolTip::isVisible())
            QToolTip::showText(QCursor::pos(), toolTipFor(m_tipIndex), m_tabs->tabBar());
    });
    m_current = tabs->currentWidget();
}

bool TabResources::enabled() const
{
    return Extras::enabled(m_settings, Extras::Resources);
}

QString TabResources::accountOf(int index) const
{
    const QString name = TabContainer::contextOf(m_tabs->widget(index)).userName;
    if (!name.isEmpty() || index != 0)
        return name;
    // The home tab belongs to whoever is logged in now.
    const Session *session = m_tabs->session();
    return session ? QUrl::fromPercentEncoding(session->cookieValue(QStringLiteral("user_name")).toUtf8())
                   : QString();
}

TabResources::Row TabResources::rowFor(int index) const
{
    Row row;
    row.title = m_tabs->tabText(index);
    row.account = accountOf(index);
    for (QWebEngineView *view : viewsOf(m_tabs->widget(index))) {
        const qint64 pid = view->page()->renderProcessPid();
        if (pid > 0 && !row.pids.contains(pid))
            row.pids.append(pid);
    }
    // Views of one tab may share a process: each process counts once.
    for (qint64 pid : qAsConst(row.pids)) {
        const ProcessSampler::Usage usage = m_sampler->usage(pid);
        if (usage.pssKiB >= 0)
            row.pssKiB = qMax<qint64>(row.pssKiB, 0) + usage.pssKiB;
        if (usage.cpuPercent >= 0)
            row.cpuPercent = qMax(row.cpuPercent, 0.0) + usage.cpuPercent;
    }
    return row;
}

QList<TabResources::Row> TabResources::rows() const
{
    QList<Row> rows;
    for (int index = 0; index < m_tabs->count(); ++index)
        rows.append(rowFor(index));
    return rows;
}

void TabResources::sampleAll()
{
    QList<qint64> pids;
    for (const Row &row : rows())
        pids += row.pids;
    m_sampler->request(pids);
}

QString TabResources::toolTipFor(int index) const
{
    if (index < 0 || index >= m_tabs->count())
        return QString();
    const QString base = m_tabs->tabToolTip(index).isEmpty() ? m_tabs->tabText(index) : m_tabs->tabToolTip(index);
    if (!enabled())
        return base;
    const Row row = rowFor(index);
    QString text = base;
    if (!row.account.isEmpty())
        text += QStringLiteral("\n账号:") + row.account;
    text += QStringLiteral("\n内存:") + (row.pssKiB < 0 && !row.pids.isEmpty() ? QStringLiteral("读取中…")
                                                                                : ProcessUsage::memoryText(row.pssKiB));
    return text;
}

void TabResources::showToolTip(int index, const QPoint &globalPos)
{
    m_tipIndex = index;
    QToolTip::showText(globalPos, toolTipFor(index), m_tabs->tabBar());
    // The figure follows when the sampler has read it.
    if (enabled())
        m_sampler->request(rowFor(index).pids);
}

bool TabResources::eventFilter(QObject *watched, QEvent *event)
{
    // Only the tab bar is watched, and it sends events while the tab manager
    // around it is being destroyed: the type first, the tab manager after.
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int index = static_cast<QTabBar *>(watched)->tabAt(help->pos());
        if (index < 0) {
            m_tipIndex = -1;
            return false;
        }
        showToolTip(index, help->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QTimer *TabResources::freezeTimer(QWidget *container)
{
    auto *timer = container->findChild<QTimer *>(QStringLiteral("freezeTimer"), Qt::FindDirectChildrenOnly);
    if (timer)
        return timer;
    timer = new QTimer(container);
    timer->setObjectName(QStringLiteral("freezeTimer"));
    timer->setSingleShot(true);
    QPointer<QWidget> tab(container);
    connect(timer, &QTimer::timeout, this, [this, tab] {
        if (!tab || tab == m_tabs->currentWidget() || !enabled())
            return;
        for (QWebEngineView *view : viewsOf(tab))
            view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Frozen);
    });
    return timer;
}

void TabResources::handleCurrentChanged(int index)
{
    QWidget *shown = m_tabs->widget(index);
    if (m_current && m_current != shown && mayFreeze(m_current)) {
        QTimer *timer = freezeTimer(m_current);
        timer->start(m_freezeAfterMs);
    }
    m_current = shown;
    if (!mayFreeze(shown))
        return;
    freezeTimer(shown)->stop();
    for (QWebEngineView *view : viewsOf(shown)) {
        if (view->page()->lifecycleState() != QWebEnginePage::LifecycleState::Active)
            view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Active);
    }
}

void TabResources::showWindow()
{
    if (!enabled()) {
        NoticeBox::show(m_tabs, QStringLiteral("资源占用已在设置中关闭"));
        return;
    }
    ResourceForm *form = ToolWindow::kept(m_form, this, m_tabs->window());
    form->show();
    form->raise();
}

void TabResources::reloadTab(int index)
{
    for (QWebEngineView *view : viewsOf(m_tabs->widget(index))) {
        // A frozen page wakes first; reloading it frozen would do nothing.
        view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Active);
        view->reload();
    }
}
