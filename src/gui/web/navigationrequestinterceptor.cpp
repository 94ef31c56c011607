#include "web/navigationrequestinterceptor.h"

#include "web/webenginepage.h"

NavigationRequestInterceptor::NavigationRequestInterceptor(WebEnginePage *origin)
    // Same profile as the opener: the engine creates the new window's contents there.
    : QWebEnginePage(origin->profile(), origin)
    , origin(origin)
{
}

bool NavigationRequestInterceptor::acceptNavigationRequest(const QUrl &url, NavigationType type,
                                                           bool isMainFrame)
{
    if (origin)
        handOver(url, type, isMainFrame);
    // One request is all this page ever serves; without this every popup
    // would keep a page alive until its opener closes.
    deleteLater();
    return false;
}

void NavigationRequestInterceptor::handOver(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (WebEnginePage::isSystemLink(url))
        origin->openWithSystem(url);
    else if (type == NavigationTypeLinkClicked && isMainFrame)
        emit origin->signalUrlClicked(url, type);
    else
        origin->load(url);
}
