#include "web/shortcutaddress.h"

#include <QHash>
#include <QStringList>
#include <QUrl>

namespace {
const QString kAccount = QStringLiteral("account");
const QString kHost = QStringLiteral("host");
const QString kServer = QStringLiteral("server");
const QString kKind = QStringLiteral("kind");
const QString kToken = QStringLiteral("token");

// Field name to decoded value; false on a repeated, unknown or malformed field.
bool readFields(const QString &query, QHash<QString, QString> *fields)
{
    static const QStringList known = {kAccount, kHost, kServer, kKind, kToken};
    for (const QString &item : query.split(QLatin1Char('&'))) {
        const int equals = item.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return false;
        const QString name = item.left(equals);
        if (!known.contains(name) || fields->contains(name))
            return false;
        const QString value = QUrl::fromPercentEncoding(item.mid(equals + 1).toUtf8());
        if (value.isEmpty())
            return false;
        fields->insert(name, value);
    }
    return true;
}

QString kindOf(const QHash<QString, QString> &fields)
{
    const QString kind = fields.value(kKind);
    if (fields.contains(kKind))
        return kind == QLatin1String("h5") ? kind : QString();
    return fields.contains(kServer) ? QStringLiteral("play") : QStringLiteral("web");
}

QString encoded(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}
}

QString ShortcutAddress::scheme()
{
    return QStringLiteral("korvo");
}

bool ShortcutAddress::looksLikeAddress(const QString &text)
{
    return text.startsWith(scheme() + QLatin1Char(':'), Qt::CaseInsensitive);
}

bool ShortcutAddress::isToken(const QString &text)
{
    if (text.size() != 32)
        return false;
    for (const QChar c : text) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    }
    return true;
}

bool ShortcutAddress::parse(const QString &text, GameTab *game, QString *token)
{
    const QString prefix = scheme() + QStringLiteral("://play?");
    if (text.size() > maxLength || !text.startsWith(prefix, Qt::CaseInsensitive))
        return false;
    // The rest is the query alone: no path, fragment or second query.
    const QString query = text.mid(prefix.size());
    if (query.contains(QLatin1Char('#')) || query.contains(QLatin1Char('?')) || query.contains(QLatin1Char('/')))
        return false;
    QHash<QString, QString> fields;
    if (!readFields(query, &fields))
        return false;
    GameTab read;
    read.kind = kindOf(fields);
    read.account = fields.value(kAccount);
    read.host = fields.value(kHost);
    read.serverId = fields.value(kServer);
    if (!read.isValid() || (fields.contains(kToken) && !isToken(fields.value(kToken))))
        return false;
    *game = read;
    if (token)
        *token = fields.value(kToken);
    return true;
}

QString ShortcutAddress::build(const GameTab &game, const QString &token)
{
    if (!game.isValid() || (!token.isEmpty() && !isToken(token)))
        return QString();
    QString text = scheme() + QStringLiteral("://play?account=") + encoded(game.account);
    if (!game.host.isEmpty())
        text += QStringLiteral("&host=") + game.host;
    if (game.kind == QLatin1String("play"))
        text += QStringLiteral("&server=") + game.serverId;
    else if (game.kind == QLatin1String("h5"))
        text += QStringLiteral("&kind=h5");
    if (!token.isEmpty())
        text += QStringLiteral("&token=") + token;
    return text;
}
