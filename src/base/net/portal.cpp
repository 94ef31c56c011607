#include "net/portal.h"

#include "net/jsonkeycheck.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonValue>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {
QString hostFromEnv(const char *name, const char *fallback)
{
    const QString value = qEnvironmentVariable(name).trimmed();
    return value.isEmpty() ? QString::fromUtf8(fallback) : value;
}

const QByteArray kBom("\xEF\xBB\xBF", 3);
}

QString Portal::portalHost()
{
    return hostFromEnv("KORVO_PORTAL_HOST", KORVO_DEFAULT_PORTAL_HOST);
}

QString Portal::h5Host()
{
    return hostFromEnv("KORVO_H5_HOST", KORVO_DEFAULT_H5_HOST);
}

QStringList Portal::partnerHosts()
{
    QStringList hosts;
    for (const QString &host : hostFromEnv("KORVO_PARTNER_HOSTS", KORVO_DEFAULT_PARTNER_HOSTS).split(QLatin1Char(',')))
        hosts << host.trimmed();
    // An empty entry would match every address; keep the three slots but make them inert.
    hosts.removeAll(QString());
    while (hosts.size() < 3)
        hosts << QString();
    return hosts.mid(0, 3);
}

QString Portal::portalRoot()
{
    return QStringLiteral("http://") + portalHost();
}

QString Portal::portalIndex()
{
    return portalRoot() + QStringLiteral("/DODev_C/index.php");
}

QString Portal::loginGateway()
{
    return portalRoot() + QStringLiteral("/DODev_C/boxInit.php");
}

QString Portal::h5Root()
{
    return QStringLiteral("http://") + h5Host();
}

QString Portal::cookieDomain()
{
    return cookieDomainFor(portalHost());
}

QString Portal::cookieDomainFor(const QString &host)
{
    QString name = host;
    // "[::1]:8080", "127.0.0.1:8080", "www.example.com:80": the port never belongs to a domain.
    if (name.startsWith(QLatin1Char('['))) {
        name = name.mid(1, name.indexOf(QLatin1Char(']')) - 1);
    } else if (name.count(QLatin1Char(':')) == 1) {
        name = name.section(QLatin1Char(':'), 0, 0);
    }
    QHostAddress address;
    if (address.setAddress(name))
        return name;
    const int dot = name.indexOf(QLatin1Char('.'));
    // A one-label host ("localhost") or a two-label one ("example.com") is its own domain.
    if (dot < 0 || name.indexOf(QLatin1Char('.'), dot + 1) < 0)
        return name;
    return name.mid(dot + 1);
}

bool Portal::isOwnOrigin(const QUrl &url)
{
    const QString scheme = url.scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return false;
    const int defaultPort = scheme == QLatin1String("https") ? 443 : 80;
    const int port = url.port(defaultPort);
    for (const QString &host : {portalHost(), h5Host()}) {
        const QUrl own(QStringLiteral("http://") + host);
        if (own.host().isEmpty())
            continue;
        if (url.host().compare(own.host(), Qt::CaseInsensitive) == 0 && port == own.port(80))
            return true;
    }
    return false;
}

bool Portal::isWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

namespace {

bool sameHostName(const QUrl &url, const QString &host)
{
    const QString name = QUrl(QStringLiteral("http://") + host).host();
    return !name.isEmpty() && url.host().compare(name, Qt::CaseInsensitive) == 0;
}
}

bool Portal::isAllowedAddress(const QUrl &url)
{
    if (!isWebAddress(url))
        return false;
    if (isOwnOrigin(url))
        return true;
    const QStringList partners = partnerHosts();
    return std::any_of(partners.begin(), partners.end(), [&url](const QString &host) { return sameHostName(url, host); });
}

bool Portal::isOnPortalHost(const QUrl &url)
{
    return isWebAddress(url) && sameHostName(url, portalHost());
}

QString Portal::webPage(const QString &action)
{
    return portalIndex() + QStringLiteral("?type=web&action=") + action;
}

QString Portal::homeSection(const QString &action)
{
    return webPage(action) + QStringLiteral("&v2");
}

QString Portal::pointsMall()
{
    return portalRoot() + QStringLiteral("/jfsc/");
}

QString Portal::apiCall(const QString &action)
{
    return portalIndex() + QStringLiteral("?type=open&action=") + action;
}

QString Portal::apiKey()
{
    return QStringLiteral("KXPL-brimadq7ve5");
}

QString Portal::accountText(const QString &sign, const QString &params)
{
    return QStringLiteral("datatype=user&sign=") + sign + QLatin1Char('&') + params
        + QStringLiteral("&key=") + apiKey();
}

QUrl Portal::accountUrl(const QByteArray &envelope)
{
    return QUrl(loginGateway() + QStringLiteral("?appData=")
                + QString::fromLatin1(envelope.toPercentEncoding()));
}

QByteArray Portal::stripBom(const QByteArray &body)
{
    if (!body.startsWith(kBom))
        return body;
    QByteArray cleaned = body;
    return cleaned.replace(kBom, QByteArray());
}

bool Portal::isWord(const QByteArray &body, const char *word)
{
    return stripBom(body) == word;
}

// Refused before the parser sees it: Qt's parser leaks on repeated keys.
bool Portal::parseDocument(const QByteArray &body, QJsonDocument *document)
{
    const QByteArray clean = stripBom(body);
    if (JsonKeyCheck::hasRepeatedKey(clean))
        return false;
    QJsonParseError error;
    *document = QJsonDocument::fromJson(clean, &error);
    return error.error == QJsonParseError::NoError;
}

bool Portal::parseObject(const QByteArray &body, QJsonObject *object)
{
    QJsonDocument doc;
    if (!parseDocument(body, &doc) || !doc.isObject())
        return false;
    *object = doc.object();
    return true;
}

bool Portal::parseArray(const QByteArray &body, QJsonArray *array)
{
    QJsonDocument doc;
    if (!parseDocument(body, &doc) || !doc.isArray())
        return false;
    *array = doc.array();
    return true;
}

bool Portal::isErrorObject(const QJsonObject &object, QString *message)
{
    if (!object.contains(QLatin1String("code")))
        return false;
    if (message)
        *message = text(object.value(QLatin1String("msg")));
    return true;
}

QString Portal::text(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double: {
        const double number = value.toDouble();
        // Ids and amounts arrive as numbers from some portal versions. Only whole
        // numbers a double holds exactly are written as integers: converting a
        // larger one to an integer type is undefined.
        constexpr double kExactLimit = 9007199254740992.0;  // 2^53
        if (std::fabs(number) <= kExactLimit && number == std::trunc(number))
            return QString::number(static_cast<qint64>(number));
        return QString::number(number, 'g', QLocale::FloatingPointShortest);
    }
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return QString();
    }
}

QString Portal::redacted(const QString &secret)
{
    if (secret.size() < 12)
        return QStringLiteral("***");
    return secret.left(3) + QStringLiteral("***(") + QString::number(secret.size()) + QLatin1Char(')');
}
