#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

// Moves a frameless window by a drag anywhere inside it and resizes it by a
// drag on its edges, with the cursor showing which edge is under it. The
// window forwards its mouse events here.
//
// The window manager or compositor does the moving and resizing where it
// offers to (it then also snaps and tiles, and on Wayland nothing else can
// move a window); only where it refuses does the window move itself.
class FrameDragger
{
public:
    explicit FrameDragger(QWidget *window, int border = 4);

    void press(QMouseEvent *event);
    void move(QMouseEvent *event);
    void release(QMouseEvent *event);
    int edges() const { return m_edges; }

private:
    enum class Drag { None, Pending, BySystem, BySelf };

    void updateCursor(const QPoint &localPos);
    bool startSystemDrag();
    void dragBySelf(const QPoint &globalPos);

    QWidget *m_window;
    int m_border;
    int m_edges = 0;
    Drag m_drag = Drag::None;
    QPoint m_dragOffset;
};
