#include "web/serverhosts.h"

#include "web/gametab.h"
#include "net/httprequest.h"
#include "net/portal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
// Servers a long session may meet; beyond that the oldest knowledge is not worth the memory.
constexpr int kMaxKnown = 4096;
}

ServerHosts::ServerHosts(QObject *parent)
    : QObject(parent)
{
}

void ServerHosts::learn(const QString &serverId, const QString &host)
{
    if (!GameTab::isServerId(serverId) || !GameTab::isHostWord(host))
        return;
    if (m_hosts.size() >= kMaxKnown && !m_hosts.contains(serverId))
        m_hosts.clear();
    m_hosts.insert(serverId, host);
}

QString ServerHosts::hostOf(const QString &serverId) const
{
    return m_hosts.value(serverId);
}

void ServerHosts::lookUp(const QString &serverId)
{
    if (!GameTab::isServerId(serverId) || m_asking.contains(serverId))
        return;
    if (!hostOf(serverId).isEmpty()) {
        emit hostKnown(serverId, hostOf(serverId));
        return;
    }
    m_asking.insert(serverId);
    auto *request = new HttpRequest(this);
    connect(request, &HttpRequest::signalHttpSuccess, this, [this, request, serverId](const QByteArray &body) {
        request->deleteLater();
        answered(serverId, hostFromReply(body));
    });
    connect(request, &HttpRequest::signalHttpFailed, this, [this, request, serverId] {
        request->deleteLater();
        answered(serverId, QString());
    });
    request->get(lookupUrl(serverId));
}

void ServerHosts::answered(const QString &serverId, const QString &host)
{
    m_asking.remove(serverId);
    learn(serverId, host);
    if (hostOf(serverId).isEmpty())
        emit lookupFailed(serverId);
    else
        emit hostKnown(serverId, hostOf(serverId));
}

QUrl ServerHosts::lookupUrl(const QString &serverId)
{
    return QUrl(Portal::apiCall(QStringLiteral("game_list")) + QStringLiteral("&server_id=") + serverId);
}

QString ServerHosts::hostFromReply(const QByteArray &body)
{
    QJsonDocument doc;
    if (!Portal::parseDocument(body, &doc) || !doc.isArray())
        return QString();
    const QString host = Portal::text(doc.array().at(0).toObject().value(QLatin1String("game_host")));
    return GameTab::isHostWord(host) ? host : QString();
}
