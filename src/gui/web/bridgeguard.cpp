#include "web/bridgeguard.h"

#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {
const QString kName = QStringLiteral("korvo-bridge-guard");

// The transport's own send is an own property of the object the engine puts
// into the document; replaced by one that cannot be written or deleted, the
// original is left only inside this closure.
const char kScript[] = R"JS((function () {
    var transport = window.qt && window.qt.webChannelTransport;
    if (!transport)
        return;
    var send = transport.send;
    var limit = %1;
    var told = false;
    Object.defineProperty(transport, 'send', {
        value: function (message) {
            if (typeof message === 'string' && message.length <= limit)
                return send.call(transport, message);
            // Once a document: each line would cross over to the GUI thread.
            if (!told)
                console.warn('a message of ' + (message && message.length) + ' characters to the page bridge was dropped');
            told = true;
        },
        writable: false, configurable: false, enumerable: true
    });
})();)JS";
}

void BridgeGuard::installOn(QWebEngineProfile *profile)
{
    if (!profile->scripts()->findScript(kName).isNull())
        return;
    QWebEngineScript guard;
    guard.setName(kName);
    guard.setSourceCode(QString::fromLatin1(kScript).arg(BridgeGuard::maxMessageLength));
    guard.setInjectionPoint(QWebEngineScript::DocumentCreation);
    guard.setWorldId(QWebEngineScript::MainWorld);
    guard.setRunsOnSubFrames(true);
    profile->scripts()->insert(guard);
}
