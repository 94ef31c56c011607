#pragma once

#include "web/dialogflood.h"
#include "web/newtabgate.h"

#include <QPointer>
#include <QWebEnginePage>

class QMessageBox;
class QWebEngineDownloadItem;
class QWidget;
class QWebChannel;

// The page of every browser surface: plug-ins, JavaScript and WebGL on, our
// own alert and confirm boxes, logout links of the portal refused, QQ links
// handed to the system, and new windows turned into signalUrlClicked. A new
// window needs the user's input first (NewTabGate); a page that keeps asking
// questions is offered to be silenced (DialogFlood), and its boxes never
// block the rest of the client.
class WebEnginePage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit WebEnginePage(QWebEngineProfile *profile, QObject *parent = nullptr);

    // Hands an address to the system's handler for its scheme; what fails is
    // told over the page's view.
    void openWithSystem(const QUrl &url);
    static bool isSystemLink(const QUrl &url);

    // The bridge reaches only the portal's and the H5 host's own documents:
    // the page carries the channel while its main frame shows one of them.
    // The engine gives the transport to the main frame's document alone, so
    // no frame inside a page, of whatever origin, reaches it.
    void setBridgeChannel(QWebChannel *channel);

    bool dialogOpen() const { return !m_box.isNull(); }
    // Before the page goes: ends its open box and answers every later dialog at once.
    void endDialogs();
    // Ends the dialogs of the pages under the widget (a tab); whether one was open.
    static bool endDialogsIn(const QWidget *widget);

signals:
    // Emitted by the new-window page on behalf of this page: a link asked
    // for a window and the tab manager decides where it goes.
    void signalUrlClicked(QUrl url, QWebEnginePage::NavigationType type);

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    // A box for the page's dialog; null when its dialogs are stopped.
    QMessageBox *newDialog(const QString &msg);
    int runBox(QMessageBox *box);
    void tellBlocked(NewTabGate::Verdict verdict);
    // Every request answered at once, so a page never waits on one.
    void answerPermission(const QUrl &origin, Feature feature);
    void refuseDownload(QWebEngineDownloadItem *download);
    QWebChannel *emptyChannel();

    QPointer<QWebChannel> m_bridge;
    QWebChannel *m_empty = nullptr;
    NewTabGate m_newTabs;
    int m_blockedTabs = 0;
    DialogFlood m_dialogs;
    QPointer<QMessageBox> m_box;
    bool m_ending = false;
};
