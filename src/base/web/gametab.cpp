#include "web/gametab.h"

#include <QRegularExpression>

bool GameTab::isValid() const
{
    const bool known = kind == QLatin1String("web") || kind == QLatin1String("h5") || kind == QLatin1String("play");
    const bool server = kind == QLatin1String("play") ? isServerId(serverId) : serverId.isEmpty();
    // A server opened from a portal list is played by its id alone: its game's host may be unknown.
    const bool hostKnown = isHostWord(host) || (kind == QLatin1String("play") && host.isEmpty());
    return known && server && hostKnown && isPlainText(account) && (game.isEmpty() || isPlainText(game));
}

bool GameTab::operator==(const GameTab &other) const
{
    return kind == other.kind && host == other.host && serverId == other.serverId && game == other.game
        && account == other.account && mainAccount == other.mainAccount && inSplit == other.inSplit;
}

bool GameTab::isHostWord(const QString &text)
{
    // Hosts become a path segment or a query value of a portal address.
    static const QRegularExpression word(QStringLiteral("^[A-Za-z0-9_]{1,64}$"));
    return word.match(text).hasMatch();
}

bool GameTab::isServerId(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[1-9][0-9]{0,17}$"));
    return digits.match(text).hasMatch();
}

bool GameTab::isPlainText(const QString &text)
{
    if (text.isEmpty() || text.size() > maxTextLength)
        return false;
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}
