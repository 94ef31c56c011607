#include "web/urlrules.h"

#include "app/apppaths.h"
#include "net/portal.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QSettings>

namespace {
// The portal's rule names become ini keys: anything that could address
// another group or escape the key is left out.
bool isSafeName(const QString &name)
{
    static const QString forbidden = QStringLiteral("/\\[]=;");
    if (name.isEmpty() || name.size() > 128)
        return false;
    for (const QChar c : name) {
        if (forbidden.contains(c) || c.unicode() < 0x20)
            return false;
    }
    return true;
}
}

QString UrlRules::fileName()
{
    return AppPaths::dataFilePath(QStringLiteral("gameurlgoto.ini"));
}

bool UrlRules::writeReply(const QByteArray &body, const QString &file)
{
    QJsonObject reply;
    if (!Portal::parseObject(body, &reply))
        return false;
    QSettings ini(file, QSettings::IniFormat);
    for (const char *group : {"pay", "host"}) {
        const QJsonValue members = reply.value(QLatin1String(group));
        if (!members.isObject())
            continue;
        const QJsonObject rules = members.toObject();
        for (auto it = rules.constBegin(); it != rules.constEnd(); ++it) {
            if (it.value().isString() && isSafeName(it.key()))
                ini.setValue(QLatin1String(group) + QLatin1Char('/') + it.key(), it.value().toString());
        }
    }
    ini.sync();
    return ini.status() == QSettings::NoError;
}

QStringList UrlRules::patterns(const QString &file)
{
    QStringList found;
    const QSettings ini(file, QSettings::IniFormat);
    for (const QString &key : ini.allKeys())
        found << ini.value(key).toString();
    return found;
}

UrlRules::Stamp UrlRules::stampOf(const QString &file)
{
    const QFileInfo info(file);
    return info.exists() ? Stamp{info.lastModified(), info.size()} : Stamp();
}
