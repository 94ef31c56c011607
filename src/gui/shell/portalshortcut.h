#pragma once

#include <QObject>
#include <QString>

class QDBusMessage;
class QDBusPendingCall;

// The boss key through the desktop's global shortcuts portal
// (org.freedesktop.portal.GlobalShortcuts on the session bus): a session of
// this client with one shortcut in it, which the desktop reports when the
// user presses it wherever the focus is. Every call is asynchronous; the
// portal's answers are checked before use.
class PortalShortcut : public QObject
{
    Q_OBJECT
public:
    explicit PortalShortcut(QObject *parent = nullptr);
    ~PortalShortcut() override;

    // Asks whether the desktop offers the portal; availabilityKnown answers.
    void probe();
    // Binds the shortcut with the trigger the user chose, such as "ALT+q",
    // in a new session (a session binds once); bound answers.
    void bind(const QString &trigger);
    void unbind();

signals:
    void availabilityKnown(bool available);
    void bound(bool ok);
    void activated();

private slots:
    void handleResponse(const QDBusMessage &message);
    void handleActivated(const QDBusMessage &message);

private:
    enum class Step { Idle, CreatingSession, Binding, Bound };

    void call(const QString &method, const QList<QVariant> &arguments, const QString &token);
    void watchRequest(const QString &path, bool watch);
    void bindInSession(const QString &session);
    void fail();
    QString nextToken();

    Step m_step = Step::Idle;
    QString m_trigger;
    QString m_session;
    QString m_request;
    int m_tokens = 0;
};
