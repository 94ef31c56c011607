#pragma once

#include "net/identity.h"
#include "web/urlroute.h"
#include "web/urlrules.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QVector>

// What the router needs to know of the tab that is current when a link opens.
struct RouteContext
{
    bool hasGameView = false;      // the current tab shows a web game ("hostwebview")
    bool hasHomeListView = false;  // the current tab holds the home page view
    // Who plays in new game-play tabs: the main account's identity, or the
    // small account's when one plays.
    Identity player;
};

// Decides where an address goes, in a fixed order of tests: diverting rules,
// the H5 games host, the download page, game servers, game host words, game
// play pages, partner sites, the home lists, and otherwise an ordinary page.
// Needs no window: the tab manager carries the decision out.
class UrlRouter
{
public:
    // Untrusted patterns are limited in length and number.
    static constexpr int maxRuleLength = 512;
    static constexpr int maxRules = 200;

    UrlRouter();

    void setHosts(const QString &portalHost, const QString &h5Host, const QStringList &partnerHosts);
    // Compiles the patterns once; an invalid or oversized one never matches.
    void setRules(const QStringList &patterns);
    int ruleCount() const { return m_ruleCount; }
    // Compiles the rules file again when it changed since the last look; a
    // click never re-reads an unchanged file.
    bool reloadRulesIfChanged(const QString &file);
    void setGameIdHosts(const QHash<QString, QString> &map) { m_gameIdHosts = map; }

    UrlRoute route(const QUrl &url, const RouteContext &context) const;
    // The address that plays the server as that player, on the portal host.
    QString gamePlayAddress(const QString &serverId, const Identity &player) const;

private:
    void combine(const QStringList &branches);
    bool matchesRule(const QString &text) const;
    bool routeH5(const QString &text, UrlRoute *route) const;
    bool routePortal(const QString &remainder, const RouteContext &context, UrlRoute *route) const;
    QString partnerReplaced(const QString &text) const;
    static bool isHomeList(const QUrl &url);

    QString m_portalHost;
    QString m_h5Host;
    QStringList m_partnerHosts;
    // Plain patterns as one alternation; the others each on their own.
    QRegularExpression m_combined;
    bool m_hasCombined = false;
    QVector<QRegularExpression> m_rules;
    int m_ruleCount = 0;
    UrlRules::Stamp m_rulesStamp;
    bool m_rulesRead = false;
    QHash<QString, QString> m_gameIdHosts;
};
