#include "web/webview.h"

#include "web/pagecontextmenu.h"
#include "web/webenginepage.h"

#include <QContextMenuEvent>
#include <QWebChannel>
#include <QWebEngineHttpRequest>
#include <QWebEngineProfile>

WebView::WebView(QWidget *parent)
    : QWebEngineView(parent)
{
}

void WebView::contextMenuEvent(QContextMenuEvent *event)
{
    // Not the engine's browser menu (back, view source, save page): the few
    // entries people use in a page.
    PageContextMenu::popup(this, event->globalPos());
    event->accept();
}

WebView *WebView::createView(const QString &url, QWebChannel *channel)
{
    // The engine's own profile, and the bridge under the same origin rule as everywhere.
    return createView(QWebEngineHttpRequest(QUrl(url)), QWebEngineProfile::defaultProfile(), channel);
}

WebView *WebView::createView(const QString &url, QWebEnginePage *page)
{
    auto *view = new WebView;
    view->setPage(page);
    page->load(QUrl(url));
    return view;
}

WebView *WebView::createView(const QString &url, QWebEnginePage *page, QWebChannel *channel)
{
    return createView(QWebEngineHttpRequest(QUrl(url)), page, channel);
}

WebView *WebView::createView(const QString &url, QWebEngineProfile *profile, QWebChannel *channel)
{
    return createView(QWebEngineHttpRequest(QUrl(url)), profile, channel);
}

WebView *WebView::createView(const QWebEngineHttpRequest &request, QWebEnginePage *page,
                             QWebChannel *channel)
{
    return showRequest(new WebView, request, page, channel);
}

WebView *WebView::createView(const QWebEngineHttpRequest &request, QWebEngineProfile *profile,
                             QWebChannel *channel)
{
    auto *view = new WebView;
    return showRequest(view, request, new WebEnginePage(profile, view), channel);
}

WebView *WebView::showRequest(WebView *view, const QWebEngineHttpRequest &request,
                              QWebEnginePage *page, QWebChannel *channel)
{
    view->setPage(page);
    if (auto *ours = qobject_cast<WebEnginePage *>(page))
        ours->setBridgeChannel(channel);
    else if (channel)
        page->setWebChannel(channel);
    page->load(request);
    return view;
}
