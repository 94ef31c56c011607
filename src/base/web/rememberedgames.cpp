#include "web/rememberedgames.h"

#include "net/jsonkeycheck.h"
#include "app/settings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
QJsonObject toJson(const GameTab &game)
{
    QJsonObject object{{QStringLiteral("kind"), game.kind},
                       {QStringLiteral("host"), game.host},
                       {QStringLiteral("game"), game.game},
                       {QStringLiteral("account"), game.account},
                       {QStringLiteral("main"), game.mainAccount}};
    if (!game.serverId.isEmpty())
        object.insert(QStringLiteral("server"), game.serverId);
    if (game.inSplit)
        object.insert(QStringLiteral("split"), true);
    return object;
}

// Null text for a field of another type; absent fields read as empty.
QString textOf(const QJsonObject &object, const QString &name, bool *typed)
{
    const QJsonValue value = object.value(name);
    if (value.isUndefined())
        return QString();
    if (!value.isString())
        *typed = false;
    return value.toString();
}

bool fromJson(const QJsonValue &value, GameTab *game)
{
    if (!value.isObject())
        return false;
    const QJsonObject object = value.toObject();
    bool typed = object.value(QStringLiteral("main")).isBool();
    game->kind = textOf(object, QStringLiteral("kind"), &typed);
    game->host = textOf(object, QStringLiteral("host"), &typed);
    game->serverId = textOf(object, QStringLiteral("server"), &typed);
    game->game = textOf(object, QStringLiteral("game"), &typed);
    game->account = textOf(object, QStringLiteral("account"), &typed);
    game->mainAccount = object.value(QStringLiteral("main")).toBool();
    // Absent in what older versions wrote: not in the split.
    const QJsonValue split = object.value(QStringLiteral("split"));
    typed = typed && (split.isUndefined() || split.isBool());
    game->inSplit = split.toBool();
    return typed && game->isValid();
}
}

QString RememberedGames::key()
{
    return QStringLiteral("session/lastgames");
}

QByteArray RememberedGames::encode(const QList<GameTab> &games)
{
    QJsonArray array;
    for (const GameTab &game : games) {
        if (game.isValid() && array.size() < maxGames)
            array.append(toJson(game));
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

QList<GameTab> RememberedGames::decode(const QByteArray &stored)
{
    QList<GameTab> games;
    if (stored.isEmpty() || stored.size() > maxStoredBytes || JsonKeyCheck::hasRepeatedKey(stored))
        return games;
    const QJsonDocument document = QJsonDocument::fromJson(stored);
    if (!document.isArray())
        return games;
    for (const QJsonValue &value : document.array()) {
        GameTab game;
        if (games.size() < maxGames && fromJson(value, &game) && !games.contains(game))
            games.append(game);
    }
    return games;
}

QList<GameTab> RememberedGames::load(const Settings *settings)
{
    const QVariant value = settings ? settings->value(key()) : QVariant();
    // Any other type than text is a hand-edited or foreign value.
    if (value.type() != QVariant::String)
        return {};
    return decode(value.toString().toUtf8());
}

QList<GameTab> RememberedGames::take(Settings *settings)
{
    const QList<GameTab> games = load(settings);
    if (settings && settings->contains(key())) {
        settings->remove(key());
        settings->sync();
    }
    return games;
}

void RememberedGames::save(Settings *settings, const QList<GameTab> &games)
{
    if (!settings)
        return;
    const QByteArray text = encode(games);
    if (decode(text).isEmpty())
        settings->remove(key());
    else
        settings->setValue(key(), QString::fromUtf8(text));
    settings->sync();
}
