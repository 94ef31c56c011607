#include "web/splitview.h"

#include "web/splitlayout.h"
#include "web/tabcontainer.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const char *const kActiveProperty = "active";
// Down to where the window's badge, which hangs over the tabs' top left, ends.
constexpr int kHeaderHeight = 40;

const QString kSheet = QStringLiteral(
    "QFrame#splitPane { border: 2px solid #d0d4da; background: #f4f5f7; }"
    "QFrame#splitPane[active=\"true\"] { border: 2px solid #2f7fe0; }"
    "QLabel#splitPaneTitle { color: #333333; padding-left: 4px; }"
    "QLabel#splitHint { color: #777777; padding-right: 12px; }"
    "QToolButton#splitPaneLeaveBtn, QToolButton#splitLeaveBtn { border: none; color: #555555; padding: 0 6px; }"
    "QToolButton#splitPaneLeaveBtn:hover, QToolButton#splitLeaveBtn:hover { color: #2f7fe0; }");

void repolish(QWidget *widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}
}

SplitView::SplitView(QTabWidget *strip)
    : QWidget(strip)
    , m_strip(strip)
    , m_grid(new QGridLayout)
{
    setObjectName(QStringLiteral("splitViewTab"));
    setStyleSheet(kSheet);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeHeader());
    column->addLayout(m_grid, 1);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(4);
    // A click anywhere in a pane, its page included, makes it the active one.
    qApp->installEventFilter(this);
}

QWidget *SplitView::makeHeader()
{
    auto *header = new QWidget(this);
    header->setObjectName(QStringLiteral("splitHeader"));
    header->setFixedHeight(kHeaderHeight);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 6, 0);
    row->addStretch(1);
    auto *hint = new QLabel(QStringLiteral("点击窗格即切换到该游戏；把游戏标签拖到页面上即可加入分屏（最多四个）"), header);
    hint->setObjectName(QStringLiteral("splitHint"));
    row->addWidget(hint);
    auto *leave = new QToolButton(header);
    leave->setObjectName(QStringLiteral("splitLeaveBtn"));
    leave->setText(QStringLiteral("退出分屏"));
    connect(leave, &QToolButton::clicked, this, &SplitView::putAllBack);
    row->addWidget(leave);
    return header;
}

bool SplitView::add(QWidget *tab)
{
    const int index = tab ? m_strip->indexOf(tab) : -1;
    if (index < 1 || !SplitLayout::mayJoin(TabContainer::contextOf(tab).kind, m_panes.size()))
        return false;
    const QString text = m_strip->tabText(index);
    const QString toolTip = m_strip->tabToolTip(index);
    m_strip->removeTab(index);
    m_panes.append(makePane(tab, text, toolTip));
    if (m_strip->indexOf(this) < 0)
        m_strip->insertTab(index, this, QString());
    relayout();
    // Shown now, not once the layout gets round to it: the page draws on.
    m_panes.constLast().frame->show();
    tab->show();
    m_strip->setCurrentWidget(this);
    setActivePane(tab);
    return true;
}

SplitView::Pane SplitView::makePane(QWidget *tab, const QString &text, const QString &toolTip)
{
    Pane pane;
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("splitPane"));
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(2, 0, 2, 2);
    column->setSpacing(0);
    auto *head = new QHBoxLayout;
    head->setContentsMargins(0, 0, 0, 0);
    pane.title = new QLabel(frame);
    pane.title->setObjectName(QStringLiteral("splitPaneTitle"));
    pane.title->setFixedHeight(22);
    head->addWidget(pane.title, 1);
    auto *leave = new QToolButton(frame);
    leave->setObjectName(QStringLiteral("splitPaneLeaveBtn"));
    leave->setText(QStringLiteral("移出分屏"));
    leave->setToolTip(QStringLiteral("把这个游戏放回标签栏"));
    QPointer<QWidget> target(tab);
    connect(leave, &QToolButton::clicked, this, [this, target] { putBack(target); });
    head->addWidget(leave);
    column->addLayout(head);
    column->addWidget(tab, 1);
    pane.frame = frame;
    pane.tab = tab;
    showPaneTitle(pane, text, toolTip);
    return pane;
}

void SplitView::showPaneTitle(Pane &pane, const QString &text, const QString &toolTip)
{
    // The title strip has the room for the whole title, the tool tip's.
    const QString whole = toolTip.isEmpty() ? text : toolTip;
    pane.stripText = text;
    pane.title->setText(whole);
    pane.title->setToolTip(whole);
}

void SplitView::putBack(QWidget *tab)
{
    const int index = paneIndex(tab);
    if (index < 0)
        return;
    const Pane pane = m_panes.takeAt(index);
    const int at = m_strip->indexOf(this) + 1;
    m_strip->insertTab(at, tab, pane.stripText);
    m_strip->setTabToolTip(at, pane.title->toolTip());
    pane.frame->hide();
    pane.frame->deleteLater();
    if (m_panes.isEmpty()) {
        m_strip->setCurrentIndex(at);
        m_strip->removeTab(m_strip->indexOf(this));
        deleteLater();
        emit signalTabsReturned();
        return;
    }
    relayout();
    emit signalTabsReturned();
    if (m_active == tab || !m_active)
        setActivePane(m_panes.first().tab);
}

void SplitView::putAllBack()
{
    while (!m_panes.isEmpty())
        putBack(m_panes.last().tab);
}

QList<QWidget *> SplitView::panes() const
{
    QList<QWidget *> tabs;
    for (const Pane &pane : m_panes) {
        if (pane.tab)
            tabs.append(pane.tab);
    }
    return tabs;
}

bool SplitView::contains(const QWidget *tab) const
{
    return paneIndex(tab) >= 0;
}

int SplitView::paneIndex(const QWidget *tab) const
{
    for (int index = 0; tab && index < m_panes.size(); ++index) {
        if (m_panes.at(index).tab == tab)
            return index;
    }
    return -1;
}

void SplitView::setActivePane(QWidget *tab)
{
    if (!contains(tab) || m_active == tab)
        return;
    m_active = tab;
    showActive();
    emit signalPaneActivated(tab);
}

void SplitView::showActive()
{
    for (const Pane &pane : m_panes) {
        const bool active = pane.tab == m_active;
        if (pane.frame->property(kActiveProperty).toBool() != active) {
            pane.frame->setProperty(kActiveProperty, active);
            repolish(pane.frame);
        }
    }
}

bool SplitView::setTitle(QWidget *tab, const QString &text, const QString &toolTip)
{
    const int index = paneIndex(tab);
    if (index < 0)
        return false;
    showPaneTitle(m_panes[index], text, toolTip);
    updateStripText();
    return true;
}

QString SplitView::toolTipOf(const QWidget *tab) const
{
    const int index = paneIndex(tab);
    return index < 0 ? QString() : m_panes.at(index).title->toolTip();
}

QList<QWidget *> SplitView::tabsOf(const QTabWidget *strip, const SplitView *split)
{
    QList<QWidget *> tabs;
    for (int index = 0; index < strip->count(); ++index) {
        if (split && strip->widget(index) == split)
            tabs += split->panes();
        else
            tabs.append(strip->widget(index));
    }
    return tabs;
}

QString SplitView::titleOf(const QTabWidget *strip, const SplitView *split, QWidget *tab)
{
    if (split && split->contains(tab))
        return split->toolTipOf(tab);
    const int index = strip->indexOf(tab);
    return strip->tabToolTip(index).isEmpty() ? strip->tabText(index) : strip->tabToolTip(index);
}

void SplitView::showTitle(QTabWidget *strip, SplitView *split, QWidget *tab, const QString &text,
                          const QString &toolTip)
{
    if (split && split->setTitle(tab, text, toolTip))
        return;
    const int index = strip->indexOf(tab);
    if (index < 0)
        return;
    strip->setTabText(index, text);
    strip->setTabToolTip(index, toolTip);
}

void SplitView::relayout()
{
    for (const Pane &pane : m_panes)
        m_grid->removeWidget(pane.frame);
    const QList<SplitLayout::Cell> cells = SplitLayout::cells(m_panes.size());
    for (int index = 0; index < cells.size(); ++index) {
        const SplitLayout::Cell &cell = cells.at(index);
        m_grid->addWidget(m_panes.at(index).frame, cell.row, cell.column, cell.rowSpan, cell.columnSpan);
    }
    // Rows and columns a smaller split no longer uses take no room.
    const bool twoRows = m_panes.size() > 2;
    m_grid->setRowStretch(0, 1);
    m_grid->setRowStretch(1, twoRows ? 1 : 0);
    m_grid->setColumnStretch(0, 1);
    m_grid->setColumnStretch(1, m_panes.size() > 1 ? 1 : 0);
    updateStripText();
}

void SplitView::updateStripText()
{
    const int index = m_strip->indexOf(this);
    if (index < 0)
        return;
    QStringList names;
    for (const Pane &pane : m_panes)
        names << pane.title->text();
    m_strip->setTabText(index, QStringLiteral("分屏(%1)").arg(m_panes.size()));
    m_strip->setTabToolTip(index, names.join(QLatin1Char('\n')));
}

bool SplitView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() && isVisible()) {
        auto *widget = static_cast<QWidget *>(watched);
        for (const Pane &pane : m_panes) {
            if (pane.frame == widget || pane.frame->isAncestorOf(widget)) {
                setActivePane(pane.tab);
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
