#pragma once

#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// One shortcut of BindShortcuts' a(sa{sv}).
struct FakePortalShortcut
{
    QString id;
    QVariantMap properties;
};
Q_DECLARE_METATYPE(FakePortalShortcut)

// The desktop's global shortcuts portal as far as the client uses it: it
// answers CreateSession and BindShortcuts through Response signals on the
// request paths, closes sessions, and records each of them for the test
// ("CreateSession", "BindShortcuts ALT+q", "Close"). Served on
// /org/freedesktop/portal/desktop of org.freedesktop.portal.Desktop.
class FakeGlobalShortcuts : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)
public:
    // Null when the bus would not have it.
    static FakeGlobalShortcuts *serve();

    uint version() const { return 1; }
    QStringList calls;
    // BindShortcuts is answered "cancelled" while set.
    bool refuse = false;
    QString session;

public slots:
    QDBusObjectPath CreateSession(const QVariantMap &options);
    QDBusObjectPath BindShortcuts(const QDBusObjectPath &session, const QList<FakePortalShortcut> &shortcuts,
                                  const QString &parentWindow, const QVariantMap &options);
    void closeSession(const QString &path);

signals:
    void Activated(const QDBusObjectPath &session_handle, const QString &shortcut_id, qulonglong timestamp,
                   const QVariantMap &options);

private:
    QDBusObjectPath respondLater(const QVariantMap &options, uint code, const QVariantMap &results,
                                 const QString &record);
};
