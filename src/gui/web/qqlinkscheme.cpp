#include "web/qqlinkscheme.h"

#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {
const QByteArray kScheme = QByteArrayLiteral("tencent");

// Before main(): the engine takes schemes only before it starts.
const bool kRegistered = (QqLinkScheme::registerScheme(), true);
}

void QqLinkScheme::registerScheme()
{
    if (QWebEngineUrlScheme::schemeByName(kScheme).name() == kScheme)
        return;
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void QqLinkScheme::installOn(QWebEngineProfile *profile)
{
    if (!profile->urlSchemeHandler(kScheme))
        profile->installUrlSchemeHandler(kScheme, new QqLinkScheme(profile));
}

void QqLinkScheme::requestStarted(QWebEngineUrlRequestJob *job)
{
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
}
