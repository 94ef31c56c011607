#include "shell/splitactions.h"

#include "shell/gametabmenu.h"
#include "web/splitlayout.h"
#include "web/splitview.h"
#include "web/tabcontainer.h"
#include "web/tabwidget.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTabBar>

namespace {
// How far below the strip a dragged tab must come to be dropped on the page.
constexpr int kDropDepth = 24;
}

SplitActions::SplitActions(TabWidget *tabs, GameTabMenu *menu, QObject *parent)
    : QObject(parent)
    , m_tabs(tabs)
    , m_bar(tabs->tabBar())
{
    connect(menu, &GameTabMenu::signalMenuOpening, this, &SplitActions::addMenuActions);
    m_bar->installEventFilter(this);
}

bool SplitActions::mayJoin(QWidget *tab) const
{
    const SplitView *split = m_tabs->splitView();
    return SplitLayout::mayJoin(TabContainer::contextOf(tab).kind, split ? split->panes().size() : 0);
}

void SplitActions::addMenuActions(QMenu *menu, QWidget *tab)
{
    QPointer<QWidget> target(tab);
    if (SplitView *split = m_tabs->splitView(); split && tab == split) {
        QAction *leave = menu->addAction(QStringLiteral("退出分屏"));
        leave->setObjectName(QStringLiteral("gameTabMenu_LeaveSplitAction"));
        connect(leave, &QAction::triggered, split, &SplitView::putAllBack);
    } else if (mayJoin(tab)) {
        QAction *join = menu->addAction(QStringLiteral("分屏显示"));
        join->setObjectName(QStringLiteral("gameTabMenu_SplitAction"));
        connect(join, &QAction::triggered, this, [this, target] {
            if (target)
                m_tabs->addToSplit(target);
        });
    }
}

bool SplitActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_bar) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            press(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::MouseMove:
            move(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::MouseButtonRelease:
            release(static_cast<QMouseEvent *>(event));
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void SplitActions::press(QMouseEvent *event)
{
    m_armed = false;
    const int index = event->button() == Qt::LeftButton ? m_bar->tabAt(event->pos()) : -1;
    m_dragged = index > 0 && mayJoin(m_tabs->widget(index)) ? index : -1;
}

void SplitActions::move(QMouseEvent *event)
{
    if (m_dragged < 0 || !(event->buttons() & Qt::LeftButton))
        return;
    const bool over = isOverPage(event->pos());
    if (over == m_armed)
        return;
    m_armed = over;
    if (over)
        m_bar->setCursor(Qt::DragMoveCursor);
    else
        m_bar->unsetCursor();
}

void SplitActions::release(QMouseEvent *event)
{
    const bool drop = m_armed && isOverPage(event->pos());
    QWidget *tab = m_dragged > 0 ? m_tabs->widget(m_dragged) : nullptr;
    m_dragged = -1;
    if (m_armed)
        m_bar->unsetCursor();
    m_armed = false;
    if (drop && tab)
        m_tabs->addToSplit(tab);
}

bool SplitActions::isOverPage(const QPoint &inBar) const
{
    const QPoint inTabs = m_bar->mapTo(m_tabs, inBar);
    return inBar.y() > m_bar->height() + kDropDepth && m_tabs->rect().contains(inTabs);
}
