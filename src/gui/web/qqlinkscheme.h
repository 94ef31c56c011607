#pragma once

#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

// QQ links ("tencent://") as a scheme the web engine knows. Profiles refuse
// schemes the engine does not know; a known one is navigated like any other,
// so the page's acceptNavigationRequest sees it and hands it to the system.
// Whatever still reaches the engine (a frame, an image) is refused here.
class QqLinkScheme : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    // Must run before the application object exists.
    static void registerScheme();
    // Makes the profile know the scheme; once per profile.
    static void installOn(QWebEngineProfile *profile);

    void requestStarted(QWebEngineUrlRequestJob *job) override;
};
