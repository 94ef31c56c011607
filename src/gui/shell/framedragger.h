#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

// Moves a frameless window by a drag anywhere inside it and resizes it by a
// drag on its edges, with the cursor showing which edge is under it. The
// window forwards its mouse events here.
class FrameDragger
{
public:
    explicit FrameDragger(QWidget *window, int border = 4);

    void press(QMouseEvent *event);
    void move(QMouseEvent *event);
    void release(QMouseEvent *event);
    int edges() const { return m_edges; }

private:
    void updateCursor(const QPoint &globalPos);

    QWidget *m_window;
    int m_border;
    int m_edges = 0;
    QPoint m_dragOffset;
};
