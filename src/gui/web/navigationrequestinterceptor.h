#pragma once

#include <QPointer>
#include <QWebEnginePage>

class WebEnginePage;

// The throw-away page behind every new-window request of a portal page. It
// never shows anything: it refuses its first navigation and hands the address
// back to the page that asked for the window.
class NavigationRequestInterceptor : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit NavigationRequestInterceptor(WebEnginePage *origin);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    void handOver(const QUrl &url, NavigationType type, bool isMainFrame);

    QPointer<WebEnginePage> origin;
};
