#include "webenginepage.h"

#include "bridgechannel.h"
#include "navigationrequestinterceptor.h"
#include "portal.h"
#include "systembrowser.h"

#include <QMessageBox>
#include <QPointer>
#include <QWebChannel>
#include <QWebEngineSettings>

namespace {
const QString kDialogTitle = QStringLiteral("Korvo游戏盒");
}

WebEnginePage::WebEnginePage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    // signalUrlClicked may travel through queued connections.
    qRegisterMetaType<QWebEnginePage::NavigationType>();
    settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    settings()->setAttribute(QWebEngineSettings::WebGLEnabled, true);
}

void WebEnginePage::openWithSystem(const QUrl &url)
{
    SystemBrowser::open(view(), url);
}

bool WebEnginePage::isSystemLink(const QUrl &url)
{
    return url.toString().startsWith(QLatin1String("tencent://"));
}

QWebEnginePage *WebEnginePage::createWindow(WebWindowType type)
{
    Q_UNUSED(type)
    return new NavigationRequestInterceptor(this);
}

bool WebEnginePage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    Q_UNUSED(type)
    if (isSystemLink(url)) {
        openWithSystem(url);
        return false;
    }
    // The portal's own logout link would end the session behind the client's back.
    if (url.toString().contains(QLatin1String("DoAction.php?a=logout")))
        return false;
    // Decided before the new document exists, so it never starts with the wrong answer.
    if (isMainFrame && m_bridge)
        setWebChannel(Portal::isOwnOrigin(url) ? m_bridge.data() : emptyChannel());
    return true;
}

void WebEnginePage::setBridgeChannel(QWebChannel *channel)
{
    m_bridge = channel;
    if (channel)
        setWebChannel(Portal::isOwnOrigin(requestedUrl()) ? channel : emptyChannel());
}

QWebChannel *WebEnginePage::emptyChannel()
{
    // Other documents get a channel with nothing on it rather than none: the
    // engine keeps its transport, so a document of our own that follows gets
    // the bridge again.
    if (!m_empty)
        m_empty = new BridgeChannel(this);
    return m_empty;
}


int WebEnginePage::runBox(QMessageBox *box)
{
    // The engine waits for the answer, so the box runs modally. It lives on the
    // heap because a parent view closed meanwhile takes it along.
    QPointer<QMessageBox> guard(box);
    const int result = box->exec();
    delete guard.data();
    return result;
}

void WebEnginePage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    Q_UNUSED(securityOrigin)
    auto *box = new QMessageBox;
    box->setWindowTitle(kDialogTitle);
    box->setText(msg);
    box->addButton(QStringLiteral("确定"), QMessageBox::ActionRole);
    runBox(box);
}

bool WebEnginePage::javaScriptConfirm(const QUrl &securityOrigin, const QString &msg)
{
    Q_UNUSED(securityOrigin)
    auto *box = new QMessageBox(QMessageBox::Information, kDialogTitle, msg,
                                QMessageBox::Ok | QMessageBox::Cancel, view());
    box->setDefaultButton(QMessageBox::Cancel);
    return runBox(box) == QMessageBox::Ok;
}
