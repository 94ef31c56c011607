#include "shell/framedragger.h"

#include "shell/framegeometry.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {
Qt::Edges systemEdges(int edges)
{
    Qt::Edges result;
    if (edges & FrameGeometry::EdgeTop) result |= Qt::TopEdge;
    if (edges & FrameGeometry::EdgeBottom) result |= Qt::BottomEdge;
    if (edges & FrameGeometry::EdgeLeft) result |= Qt::LeftEdge;
    if (edges & FrameGeometry::EdgeRight) result |= Qt::RightEdge;
    return result;
}
}

FrameDragger::FrameDragger(QWidget *window, int border)
    : m_window(window)
    , m_border(border)
{
    // Without tracking, the cursor would only change while a button is down.
    window->setMouseTracking(true);
}

void FrameDragger::press(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_window->isMaximized())
        return;
    updateCursor(event->pos());
    m_dragOffset = event->globalPos() - m_window->frameGeometry().topLeft();
    m_drag = Drag::Pending;
    // An edge is handed over at once. A move waits for the pointer to move, so
    // that the title strip's double-click still reaches the window.
    if (m_edges != FrameGeometry::EdgeNone)
        m_drag = startSystemDrag() ? Drag::BySystem : Drag::BySelf;
}

void FrameDragger::move(QMouseEvent *event)
{
    if (m_window->isMaximized())
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        m_drag = Drag::None;
        updateCursor(event->pos());
        return;
    }
    if (m_drag == Drag::Pending)
        m_drag = startSystemDrag() ? Drag::BySystem : Drag::BySelf;
    if (m_drag == Drag::BySelf)
        dragBySelf(event->globalPos());
}

void FrameDragger::release(QMouseEvent *event)
{
    m_drag = Drag::None;
    if (m_edges != FrameGeometry::EdgeNone)
        updateCursor(event->pos());
}

bool FrameDragger::startSystemDrag()
{
    QWindow *handle = m_window->windowHandle();
    if (!handle)
        return false;
    return m_edges == FrameGeometry::EdgeNone ? handle->startSystemMove()
                                              : handle->startSystemResize(systemEdges(m_edges));
}

// Where the window manager will not do it (none running, or one without the
// protocol), the window follows the pointer itself.
void FrameDragger::dragBySelf(const QPoint &globalPos)
{
    if (m_edges == FrameGeometry::EdgeNone)
        m_window->move(globalPos - m_dragOffset);
    else
        m_window->setGeometry(FrameGeometry::resizedGeometry(m_window->frameGeometry(), m_edges, globalPos,
                                                             m_window->minimumSize(), m_window->maximumSize()));
}

// Local coordinates: a Wayland client does not know where its window is.
void FrameDragger::updateCursor(const QPoint &localPos)
{
    m_edges = FrameGeometry::edgesAt(m_window->rect(), localPos, m_border);
    m_window->setCursor(FrameGeometry::cursorFor(m_edges));
}
