#pragma once

#include "shell/notifyrule.h"

#include <QObject>

class QWidget;

// Tells the desktop (org.freedesktop.Notifications on the session bus) what
// happened while the main window was hidden or minimized; NotifyRule decides
// whether and what. The call is sent and never waited for: a desktop without
// a notification server simply shows nothing.
class DesktopNotifier : public QObject
{
    Q_OBJECT
public:
    explicit DesktopNotifier(QWidget *window);

    // True when a notification went out.
    bool notify(NotifyRule::Event event, const QString &detail = QString());

public slots:
    void accountSignedOut(int code, const QString &message);
    void updateFound();
    void tabCameBack(const QString &title);

private:
    QWidget *m_window;
};
