#pragma once

#include <QList>
#include <QUrl>
#include <QWebEnginePage>

// A page that records the address of every new window it is asked for and
// refuses to load it, the way the client diverts such links into tabs.
class WindowCatcher : public QWebEnginePage
{
    Q_OBJECT
public:
    WindowCatcher(QWebEngineProfile *profile, QObject *parent, WindowCatcher *origin = nullptr)
        : QWebEnginePage(profile, parent), m_origin(origin) {}

    QList<QUrl> requested;

protected:
    QWebEnginePage *createWindow(WebWindowType) override { return new WindowCatcher(profile(), this, this); }

    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool mainFrame) override
    {
        if (!m_origin) return QWebEnginePage::acceptNavigationRequest(url, type, mainFrame);
        m_origin->requested << url;
        return false;
    }

private:
    WindowCatcher *m_origin;
};
