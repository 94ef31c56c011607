#pragma once

#include <QWebEngineView>

class QWebChannel;
class QWebEngineHttpRequest;
class QWebEngineProfile;

// A view with the client's own small context menu. The createView operations
// build a parentless view that is already loading; the caller names it, places
// it and owns it.
class WebView : public QWebEngineView
{
    Q_OBJECT
public:
    explicit WebView(QWidget *parent = nullptr);

    // The view's own page on the engine's built-in profile, channel set on it.
    static WebView *createView(const QString &url, QWebChannel *channel);
    static WebView *createView(const QString &url, QWebEnginePage *page);
    static WebView *createView(const QString &url, QWebEnginePage *page, QWebChannel *channel);
    static WebView *createView(const QString &url, QWebEngineProfile *profile, QWebChannel *channel);
    static WebView *createView(const QWebEngineHttpRequest &request, QWebEnginePage *page,
                               QWebChannel *channel);
    // A new WebEnginePage on profile, owned by the view.
    static WebView *createView(const QWebEngineHttpRequest &request, QWebEngineProfile *profile,
                               QWebChannel *channel);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    static WebView *showRequest(WebView *view, const QWebEngineHttpRequest &request,
                                QWebEnginePage *page, QWebChannel *channel);
};
