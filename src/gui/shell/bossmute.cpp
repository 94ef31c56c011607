#include "shell/bossmute.h"

#include "app/extras.h"

#include <QEvent>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>

BossMute::BossMute(QWidget *window, Settings *settings)
    : QObject(window)
    , m_window(window)
    , m_settings(settings)
{
    window->installEventFilter(this);
}

void BossMute::hideWindow()
{
    if (!m_silencing && Extras::enabled(m_settings, Extras::BossMute))
        muteAll();
    m_window->close();
}

void BossMute::muteAll()
{
    m_saved.clear();
    // Views shown full screen are windows of their own but still children here.
    const QList<QWebEngineView *> views = m_window->findChildren<QWebEngineView *>();
    for (QWebEngineView *view : views)
        m_saved.append({QPointer<QWebEnginePage>(view->page()), view->page()->isAudioMuted()});
    // Silencing before the first page is muted: whoever watches the pages
    // knows these changes are not the player's.
    m_silencing = true;
    for (const auto &saved : qAsConst(m_saved))
        saved.first->setAudioMuted(true);
    emit silencingChanged(true);
}

void BossMute::restore()
{
    for (const auto &[page, muted] : qAsConst(m_saved)) {
        if (page)
            page->setAudioMuted(muted);
    }
    m_saved.clear();
    m_silencing = false;
    emit silencingChanged(false);
}

bool BossMute::eventFilter(QObject *watched, QEvent *event)
{
    // Tray, a second start, the boss key again: every way back shows the window.
    if (watched == m_window && event->type() == QEvent::Show && m_silencing)
        restore();
    return QObject::eventFilter(watched, event);
}
