#pragma once

#include <QPointer>
#include <QWebEnginePage>

class QMessageBox;
class QWebChannel;

// The page of every browser surface: plug-ins, JavaScript and WebGL on, our
// own alert and confirm boxes, logout links of the portal refused, QQ links
// handed to the system, and new windows turned into signalUrlClicked.
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

signals:
    // Emitted by the new-window page on behalf of this page: a link asked
    // for a window and the tab manager decides where it goes.
    void signalUrlClicked(QUrl url, QWebEnginePage::NavigationType type);

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    static int runBox(QMessageBox *box);
    QWebChannel *emptyChannel();

    QPointer<QWebChannel> m_bridge;
    QWebChannel *m_empty = nullptr;
};
