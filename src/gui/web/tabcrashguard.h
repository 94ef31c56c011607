#pragma once

#include "web/crashrecovery.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>

class DesktopNotifier;
class QLabel;
class QWebEngineView;
class QWidget;
class Settings;

// Watches one view's render process. When it ends abnormally the view shows a
// notice in its place ("页面已崩溃", the reason, a reload button) and, unless
// it keeps crashing (CrashRecovery), reloads by itself. The view, its page
// and its tab stay as they are, so a game tab keeps its account and server.
class TabCrashGuard : public QObject
{
    Q_OBJECT
public:
    // The settings say whether a crashed page is reloaded; none: it is. A
    // page that comes back by itself while the window is hidden is told on
    // the desktop through the notifier, where there is one.
    TabCrashGuard(QWebEngineView *view, Settings *settings, DesktopNotifier *notifier = nullptr);

    QWidget *notice() const { return m_notice; }
    bool reloadPending() const { return m_reloadTimer.isActive(); }

public slots:
    void reload();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void handleTermination(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode);
    void createNotice();
    void showNotice(const QString &reason, bool reloadsByItself);

    QWebEngineView *m_view;
    QPointer<Settings> m_settings;
    QPointer<DesktopNotifier> m_notifier;
    QPointer<QWidget> m_notice;
    QLabel *m_reason = nullptr;
    QLabel *m_hint = nullptr;
    CrashRecovery m_recovery;
    QElapsedTimer m_clock;
    QTimer m_reloadTimer;
};
