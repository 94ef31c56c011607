#include "web/threadgameidhostmap.h"

#include "net/httprequest.h"
#include "net/portal.h"

#include <QDebug>
#include <QJsonObject>
#include <QThread>

ThreadGameIdHostMap::ThreadGameIdHostMap(QObject *parent)
    : QObject(parent)
{
}

QHash<QString, QString> ThreadGameIdHostMap::parseMap(const QByteArray &body)
{
    QHash<QString, QString> map;
    QJsonObject object;
    if (!Portal::parseObject(body, &object))
        return map;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        // A host name is a word; anything else could not name a game page.
        const QString host = Portal::text(it.value());
        if (!host.isEmpty() && host.size() <= 128)
            map.insert(it.key(), host);
    }
    return map;
}

void ThreadGameIdHostMap::getinfo()
{
    qDebug() << "threadgameidtohost thread id:" << QThread::currentThreadId();
    if (manager)
        return;
    // Made here, on the worker's thread, as a child that goes with the worker.
    manager = new HttpRequest(this);
    connect(manager, &HttpRequest::signalHttpSuccess, this, &ThreadGameIdHostMap::signalsMap);
    connect(manager, &HttpRequest::signalHttpFailed, this,
            [](const QString &error) { qDebug() << "game_id_host_map failed:" << error; });
    manager->get(QUrl(Portal::apiCall(QStringLiteral("game_id_host_map"))));
}
