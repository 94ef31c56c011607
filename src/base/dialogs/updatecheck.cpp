#include "dialogs/updatecheck.h"

#include "app/apppaths.h"
#include "net/portal.h"

#include <QJsonObject>
#include <QRegularExpression>
#include <QUrl>
#include <QVector>

namespace {
// Up to eight parts of at most nine digits: enough for any real version,
// and every part fits an int.
bool versionParts(const QString &version, QVector<int> *parts)
{
    static const QRegularExpression shape(QStringLiteral("^\\d{1,9}(\\.\\d{1,9}){0,7}$"));
    if (!shape.match(version).hasMatch())
        return false;
    for (const QString &part : version.split(QLatin1Char('.')))
        parts->append(part.toInt());
    return true;
}
}

UpdateCheck::Reply UpdateCheck::read(const QByteArray &body)
{
    Reply reply;
    const QByteArray text = Portal::stripBom(body);
    QJsonObject object;
    if (text.startsWith("error") || !Portal::parseObject(text, &object))
        return reply;
    reply.readable = true;
    const QJsonValue latest = object.value(QStringLiteral("last_version"));
    reply.latest = latest.isUndefined() ? QStringLiteral("1.0.0.1") : Portal::text(latest).trimmed();
    // The button hands the address to the desktop: only a web address on the
    // portal's own host will do, never a file or a server of the network's choosing.
    const QUrl download(Portal::text(object.value(QStringLiteral("down_url"))).trimmed());
    if (Portal::isOnPortalHost(download))
        reply.downloadUrl = download.toString();
    return reply;
}

bool UpdateCheck::isNewer(const QString &candidate, const QString &current)
{
    QVector<int> theirs;
    QVector<int> ours;
    if (!versionParts(candidate, &theirs) || !versionParts(current, &ours))
        return false;
    const int count = qMax(theirs.size(), ours.size());
    theirs.resize(count);
    ours.resize(count);
    for (int i = 0; i < count; ++i) {
        if (theirs.at(i) != ours.at(i))
            return theirs.at(i) > ours.at(i);
    }
    return false;
}

bool UpdateCheck::shouldAnnounce(const Reply &reply, bool skipping, const QString &skippedVersion)
{
    if (!reply.readable)
        return false;
    if (skipping && reply.latest == skippedVersion)
        return false;
    return isNewer(reply.latest, AppPaths::clientVersion());
}
