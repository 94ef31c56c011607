#include "web/webenginepage.h"

#include "web/bridgechannel.h"
#include "web/navigationrequestinterceptor.h"
#include "web/pagenotice.h"
#include "net/portal.h"
#include "web/sitepermissions.h"
#include "web/systembrowser.h"
#include "web/userinput.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPointer>
#include <QHash>
#include <QWebChannel>
#include <QWebEngineDownloadItem>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWidget>

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
    // Watching from now on: the input that comes before a new window counts.
    UserInput::instance();
    connect(this, &QWebEnginePage::featurePermissionRequested, this, &WebEnginePage::answerPermission);
    connect(profile, &QWebEngineProfile::downloadRequested, this, &WebEnginePage::refuseDownload);
}

void WebEnginePage::answerPermission(const QUrl &origin, Feature feature)
{
    static const QHash<Feature, SitePermissions::Feature> kinds = {
        {Geolocation, SitePermissions::Position},      {Notifications, SitePermissions::Notifications},
        {MediaAudioCapture, SitePermissions::Microphone}, {MediaVideoCapture, SitePermissions::Camera},
        {MediaAudioVideoCapture, SitePermissions::Camera}, {DesktopVideoCapture, SitePermissions::Screen},
        {DesktopAudioVideoCapture, SitePermissions::Screen}, {MouseLock, SitePermissions::MouseLock}};
    const bool granted = SitePermissions::grants(kinds.value(feature, SitePermissions::Other), Portal::isOwnOrigin(origin));
    setFeaturePermission(origin, feature, granted ? PermissionGrantedByUser : PermissionDeniedByUser);
}

void WebEnginePage::refuseDownload(QWebEngineDownloadItem *download)
{
    // The profile serves every page of its account; each page answers its own.
    if (download->page() != this || download->state() != QWebEngineDownloadItem::DownloadRequested)
        return;
    download->cancel();
    if (view())
        PageNotice::of(view())->say(QStringLiteral("游戏盒不下载文件，已取消：%1").arg(download->downloadFileName()));
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
    UserInput *input = UserInput::instance();
    const NewTabGate::Verdict verdict = m_newTabs.ask(input->now(), input->lastInputIn(view()));
    if (verdict != NewTabGate::Open) {
        // The page's window.open() gets null.
        tellBlocked(verdict);
        return nullptr;
    }
    return new NavigationRequestInterceptor(this);
}

void WebEnginePage::tellBlocked(NewTabGate::Verdict verdict)
{
    ++m_blockedTabs;
    if (!view())
        return;
    PageNotice::of(view())->say(NewTabGate::blockedText(verdict, m_blockedTabs));
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


QMessageBox *WebEnginePage::newDialog(const QString &msg)
{
    const DialogFlood::Verdict verdict = m_ending ? DialogFlood::Silence : m_dialogs.asked(UserInput::instance()->now());
    if (verdict == DialogFlood::Silence)
        return nullptr;
    // No parent window and modal to none: a page's question never stops the
    // user from closing its tab or the client.
    auto *box = new QMessageBox;
    box->setWindowModality(Qt::WindowModal);
    box->setWindowTitle(kDialogTitle);
    box->setText(msg);
    if (verdict == DialogFlood::ShowWithOffer)
        box->setCheckBox(new QCheckBox(QStringLiteral("禁止此页面再显示对话框"), box));
    return box;
}

int WebEnginePage::runBox(QMessageBox *box)
{
    // The engine waits for the answer, so the box runs modally. It lives on the
    // heap because a parent view closed meanwhile takes it along.
    m_box = box;
    const int result = box->exec();
    if (m_box && box->checkBox() && box->checkBox()->isChecked())
        m_dialogs.stop();
    m_dialogs.answered(UserInput::instance()->now());
    delete m_box.data();
    return result;
}

void WebEnginePage::endDialogs()
{
    m_ending = true;
    if (m_box)
        m_box->reject();
}

bool WebEnginePage::endDialogsIn(const QWidget *widget)
{
    bool open = false;
    for (WebEnginePage *page : widget->findChildren<WebEnginePage *>()) {
        if (page->dialogOpen()) {
            page->endDialogs();
            open = true;
        }
    }
    return open;
}

void WebEnginePage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    Q_UNUSED(securityOrigin)
    if (QMessageBox *box = newDialog(msg)) {
        box->addButton(QStringLiteral("确定"), QMessageBox::ActionRole);
        runBox(box);
    }
}

bool WebEnginePage::javaScriptConfirm(const QUrl &securityOrigin, const QString &msg)
{
    Q_UNUSED(securityOrigin)
    QMessageBox *box = newDialog(msg);
    if (!box)
        return false;
    box->setIcon(QMessageBox::Information);
    box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Cancel);
    return runBox(box) == QMessageBox::Ok;
}

bool WebEnginePage::javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                                     QString *result)
{
    // The engine's own box, but a page whose dialogs were stopped gets no answer.
    if (m_ending || m_dialogs.stopped())
        return false;
    const bool answered = QWebEnginePage::javaScriptPrompt(securityOrigin, msg, defaultValue, result);
    m_dialogs.answered(UserInput::instance()->now());
    return answered;
}
