#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QUrl>

// The portal as the client addresses it, and how its replies are read.
// Hosts are deployment values: build-time defaults that the environment
// variables KORVO_PORTAL_HOST, KORVO_H5_HOST and KORVO_PARTNER_HOSTS override.
class Portal
{
public:
    static QString portalHost();         // may carry a port: "127.0.0.1:8080"
    static QString h5Host();
    static QStringList partnerHosts();   // always three entries (A, B, C)

    static QString portalRoot();         // "http://" + portal host
    static QString portalIndex();        // portal root + "/DODev_C/index.php"
    static QString loginGateway();       // portal root + "/DODev_C/boxInit.php"
    static QString h5Root();             // "http://" + H5 host
    static QString cookieDomain();       // domain for the identity cookies
    static QString cookieDomainFor(const QString &host);
    // Whether a document at url is the portal's or the H5 games host's own,
    // the only pages the client's bridge is published to.
    static bool isOwnOrigin(const QUrl &url);
    // Whether the client may show url when a page, a rule or a reply asks it
    // to: an http(s) address of the portal, the H5 host or a partner site.
    // Local files, page sources, inline documents and other hosts never are.
    static bool isAllowedAddress(const QUrl &url);
    // A valid http(s) address with a host: a web page, not a file or an inline document.
    static bool isWebAddress(const QUrl &url);
    // An http(s) address on the portal's host name (any port).
    static bool isOnPortalHost(const QUrl &url);

    // portal index + "?type=web&action=" + action
    static QString webPage(const QString &action);
    // A section of the home tab: webPage(action) + "&v2".
    static QString homeSection(const QString &action);
    // The points mall: portal root + "/jfsc/".
    static QString pointsMall();
    // portal index + "?type=open&action=" + action
    static QString apiCall(const QString &action);

    static QString apiKey();             // shared key of the account operations
    // "datatype=user&sign=" + sign + "&" + params + "&key=" + API key
    static QString accountText(const QString &sign, const QString &params);
    // login gateway + "?appData=" + the percent-encoded envelope
    static QUrl accountUrl(const QByteArray &envelope);

    // Reply conventions: a leading UTF-8 byte-order mark is dropped, bare
    // words are compared before any JSON is parsed.
    static QByteArray stripBom(const QByteArray &body);
    static bool isWord(const QByteArray &body, const char *word);
    // The body as a JSON object, or false when it is anything else or
    // repeats a key within one object.
    static bool parseObject(const QByteArray &body, QJsonObject *object);
    // Any JSON document, under the same rules.
    static bool parseDocument(const QByteArray &body, QJsonDocument *document);
    // The same for a reply that is a JSON array.
    static bool parseArray(const QByteArray &body, QJsonArray *array);
    // An object with "code" is an error; its "msg" is optional.
    static bool isErrorObject(const QJsonObject &object, QString *message = nullptr);
    // A JSON value as text whether the portal sent it as a string or a number.
    static QString text(const QJsonValue &value);

    // A secret (token, password digest) as the debug log may show it: enough
    // to tell two apart, never enough to reuse.
    static QString redacted(const QString &secret);
};
