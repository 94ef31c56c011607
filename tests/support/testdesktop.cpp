#include "testdesktop.h"

#include <QDBusConnection>
#include <QDBusReply>

QDBusMessage desktopCall(const char *method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.korvo.test.TrayDesktop"), QStringLiteral("/TrayDesktop"),
                                          QStringLiteral("org.korvo.test.TrayDesktop"), QLatin1String(method));
}

uint notifications()
{
    const QDBusReply<uint> reply = QDBusConnection::sessionBus().call(desktopCall("Notifications"));
    return reply.isValid() ? reply.value() : 9999;
}

QStringList lastNotification()
{
    const QDBusReply<QStringList> reply = QDBusConnection::sessionBus().call(desktopCall("LastNotification"));
    return reply.isValid() ? reply.value() : QStringList();
}
