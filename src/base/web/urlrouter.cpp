#include "web/urlrouter.h"

#include <QUrlQuery>

namespace {
QRegularExpression exact(const QString &pattern)
{
    // \w as the portal means it: letters of any script, digits and "_".
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                              QRegularExpression::UseUnicodePropertiesOption);
}

// Whether a pattern means the same as one branch among others: no numbered
// or named references or groups, no quoting to the end, no control verbs and
// no option settings that could reach past its own brackets.
bool combinable(const QString &pattern)
{
    static const QRegularExpression unsafe(QStringLiteral(R"(\\[0-9gkQ]|\(\*|\(\?(?![:=!]|<[=!]))"));
    return !unsafe.match(pattern).hasMatch();
}

// Whether "|" splits the whole pattern rather than a group or a class within it.
bool hasOuterBar(const QString &pattern)
{
    int depth = 0;
    bool inClass = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\\'))
            ++i;
        else if (inClass)
            inClass = c != QLatin1Char(']');
        else if (c == QLatin1Char('['))
            inClass = true;
        else if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (c == QLatin1Char('|') && depth == 0)
            return true;
    }
    return false;
}

// The words under the portal root that are sections of the site, not games.
bool isSiteSection(const QString &remainder)
{
    static const QStringList sections = {QStringLiteral("/news"), QStringLiteral("/news/"), QStringLiteral("/jfsc"),
                                         QStringLiteral("/jfsc/"), QStringLiteral("/jfcj"), QStringLiteral("/jfcj/")};
    return sections.contains(remainder);
}

UrlRoute decision(UrlRoute::Action action, const QUrl &url = QUrl(), const QString &name = QString(),
                  const QString &serverId = QString())
{
    UrlRoute route;
    route.action = action;
    route.url = url;
    route.name = name;
    route.serverId = serverId;
    return route;
}
}

UrlRouter::UrlRouter() = default;

void UrlRouter::setHosts(const QString &portalHost, const QString &h5Host, const QStringList &partnerHosts)
{
    m_portalHost = portalHost;
    m_h5Host = h5Host;
    m_partnerHosts = partnerHosts;
    // An empty partner host would occur in every address.
    m_partnerHosts.removeAll(QString());
}

void UrlRouter::setRules(const QStringList &patterns)
{
    m_rules.clear();
    m_ruleCount = 0;
    QStringList branches;
    for (const QString &pattern : patterns) {
        if (m_ruleCount >= maxRules)
            break;
        if (pattern.isEmpty() || pattern.size() > maxRuleLength)
            continue;
        QRegularExpression rule = exact(pattern);
        if (!rule.isValid())
            continue;
        ++m_ruleCount;
        if (combinable(pattern)) {
            branches << pattern;
        } else {
            rule.optimize();
            m_rules.append(rule);
        }
    }
    combine(branches);
}

void UrlRouter::combine(const QStringList &branches)
{
    // One pass over a link for all of them, rather than one pass each.
    // Branches that start with ".*" share it, so a link is scanned once for
    // all of them; not one split by a "|" of its own, which would then bind to less.
    QStringList open;
    QStringList rest;
    for (const QString &branch : branches) {
        const bool shares = branch.startsWith(QLatin1String(".*")) && !hasOuterBar(branch);
        (shares ? open << branch.mid(2) : rest << branch);
    }
    if (!open.isEmpty())
        rest.prepend(QStringLiteral(".*(?:(?:") + open.join(QStringLiteral(")|(?:")) + QStringLiteral("))"));
    m_combined = exact(QStringLiteral("(?:") + rest.join(QStringLiteral(")|(?:")) + QStringLiteral(")"));
    m_hasCombined = !branches.isEmpty() && m_combined.isValid();
    if (m_hasCombined) {
        m_combined.optimize();
        return;
    }
    for (const QString &pattern : branches)
        m_rules.append(exact(pattern));
}

bool UrlRouter::reloadRulesIfChanged(const QString &file)
{
    const UrlRules::Stamp stamp = UrlRules::stampOf(file);
    if (m_rulesRead && stamp == m_rulesStamp)
        return false;
    m_rulesRead = true;
    m_rulesStamp = stamp;
    setRules(UrlRules::patterns(file));
    return true;
}

bool UrlRouter::matchesRule(const QString &text) const
{
    if (m_hasCombined && m_combined.match(text).hasMatch())
        return true;
    for (const QRegularExpression &rule : m_rules) {
        if (rule.match(text).hasMatch())
            return true;
    }
    return false;
}

UrlRoute UrlRouter::route(const QUrl &url, const RouteContext &context) const
{
    const QString text = url.toString();
    const QString portalRoot = QStringLiteral("http://") + m_portalHost;
    if (matchesRule(text))
        return decision(UrlRoute::PaymentTab, QUrl(portalRoot + QStringLiteral("/pay-game.php")));
    UrlRoute route;
    if (routeH5(text, &route))
        return route;
    if (text.startsWith(portalRoot + QStringLiteral("/sy/download.php")))
        return decision(UrlRoute::SystemBrowser, url);
    // Only the remainder after the root's length is compared, whatever host it came from.
    const QString remainder = text.mid(portalRoot.size());
    if (remainder.isEmpty())
        return decision(UrlRoute::Nothing);
    if (routePortal(remainder, context, &route))
        return route;
    if (isHomeList(url) && context.hasHomeListView)
        return decision(UrlRoute::HomeList, url);
    return decision(UrlRoute::WebTab, QUrl(partnerReplaced(text)));
}

bool UrlRouter::routeH5(const QString &text, UrlRoute *route) const
{
    const QString h5Root = QStringLiteral("http://") + m_h5Host;
    if (m_h5Host.isEmpty() || !text.startsWith(h5Root))
        return false;
    const QString remainder = text.mid(h5Root.size());
    if (remainder.isEmpty() || remainder == QLatin1String("/")) {
        *route = decision(UrlRoute::WebTab, QUrl(h5Root));
        return true;
    }
    static const QRegularExpression gameName = exact(QStringLiteral("//?(\\w+)/?"));
    const QRegularExpressionMatch name = gameName.match(remainder);
    if (name.hasMatch()) {
        *route = decision(UrlRoute::H5Tab, QUrl(), name.captured(1));
        return true;
    }
    static const QRegularExpression playPage = exact(QStringLiteral("/?games/\\w+/?\\d{0,}/?\\w{0,}"));
    if (playPage.match(remainder).hasMatch()) {
        *route = decision(UrlRoute::H5PlayInCurrent, QUrl(text));
        return true;
    }
    return false;
}

bool UrlRouter::routePortal(const QString &remainder, const RouteContext &context, UrlRoute *route) const
{
    static const QRegularExpression gameServer = exact(QStringLiteral("/game_server.php\\?id=(\\d+)"));
    const QRegularExpressionMatch server = gameServer.match(remainder);
    if (server.hasMatch() && m_gameIdHosts.contains(server.captured(1))) {
        *route = decision(UrlRoute::HostTab, QUrl(), m_gameIdHosts.value(server.captured(1)));
        return true;
    }
    static const QRegularExpression hostWord = exact(QStringLiteral("/(\\w+)/?"));
    const QRegularExpressionMatch word = hostWord.match(remainder);
    if (!isSiteSection(remainder) && word.hasMatch()) {
        *route = decision(UrlRoute::HostTab, QUrl(), word.captured(1));
        return true;
    }
    static const QRegularExpression gamePlay = exact(QStringLiteral("/game_play/(\\d+).html"));
    const QRegularExpressionMatch play = gamePlay.match(remainder);
    if (!play.hasMatch())
        return false;
    const QString serverId = play.captured(1);
    const QUrl address(gamePlayAddress(serverId, context.player));
    *route = decision(context.hasGameView ? UrlRoute::GamePlayInCurrent : UrlRoute::GamePlayTab, address, QString(),
                      serverId);
    return true;
}

QString UrlRouter::gamePlayAddress(const QString &serverId, const Identity &player) const
{
    return QStringLiteral("http://") + m_portalHost
        + QStringLiteral("/DODev_C/index.php?type=web&action=game_play&server_id=") + serverId
        + QStringLiteral("&user_id=") + player.userId + QStringLiteral("&user_name=") + player.userName
        + QStringLiteral("&user_token=") + player.userToken + QStringLiteral("&user_email=") + player.userEmail;
}

QString UrlRouter::partnerReplaced(const QString &text) const
{
    for (const QString &partner : m_partnerHosts) {
        if (text.contains(partner))
            return QString(text).replace(partner, m_portalHost);
    }
    return text;
}

bool UrlRouter::isHomeList(const QUrl &url)
{
    const QUrlQuery query(url);
    static const QStringList lists = {QStringLiteral("web_game"), QStringLiteral("web_game_type"),
                                      QStringLiteral("server_list"), QStringLiteral("web_game_last")};
    return query.queryItemValue(QStringLiteral("type")) == QLatin1String("web")
        && lists.contains(query.queryItemValue(QStringLiteral("action")));
}
