#include "shell/framedragger.h"

#include "shell/framegeometry.h"

#include <QMouseEvent>
#include <QWidget>

FrameDragger::FrameDragger(QWidget *window, int border)
    : m_window(window)
    , m_border(border)
{
    // Without tracking, the cursor would only change while a button is down.
    window->setMouseTracking(true);
}

void FrameDragger::press(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = event->globalPos() - m_window->frameGeometry().topLeft();
}

void FrameDragger::move(QMouseEvent *event)
{
    if (m_window->isMaximized())
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        updateCursor(event->globalPos());
        return;
    }
    if (m_edges == FrameGeometry::EdgeNone)
        m_window->move(event->globalPos() - m_dragOffset);
    else
        m_window->setGeometry(FrameGeometry::resizedGeometry(m_window->frameGeometry(), m_edges, event->globalPos(),
                                                             m_window->minimumSize(), m_window->maximumSize()));
}

void FrameDragger::release(QMouseEvent *event)
{
    if (m_edges != FrameGeometry::EdgeNone)
        updateCursor(event->globalPos());
}

void FrameDragger::updateCursor(const QPoint &globalPos)
{
    m_edges = FrameGeometry::edgesAt(m_window->frameGeometry(), globalPos, m_border);
    m_window->setCursor(FrameGeometry::cursorFor(m_edges));
}
