#pragma once

class QMenu;
class QPoint;
class QWebEngineView;

// The menu a right click opens over a page: copy, paste and select all, and
// over a link its address to copy or to open in the desktop's browser (only
// where the browser rule lets it leave the client).
class PageContextMenu
{
public:
    // Built from what the engine reports under the pointer; it deletes itself when closed.
    static QMenu *create(QWebEngineView *view);
    static void popup(QWebEngineView *view, const QPoint &globalPos);
};
