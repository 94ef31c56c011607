#include "net/jsonkeycheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QString>
#include <QVector>

namespace {

struct Level
{
    bool isObject = false;
    bool expectsKey = false;
    QSet<QString> keys;
};

// Index just past the closing quote of the string that starts at `open`.
int stringEnd(const QByteArray &json, int open)
{
    int i = open + 1;
    while (i < json.size() && json.at(i) != '"')
        i += json.at(i) == '\\' ? 2 : 1;
    return qMin(i + 1, json.size());
}

QString keyText(const QByteArray &quoted)
{
    // Escaped keys ("\u0061" is "a") are decoded by the parser itself, inside
    // an array, where nothing can repeat.
    if (!quoted.contains('\\'))
        return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
    const QJsonDocument doc = QJsonDocument::fromJson('[' + quoted + ']');
    return doc.array().at(0).toString();
}
}

bool JsonKeyCheck::hasRepeatedKey(const QByteArray &json)
{
    QVector<Level> levels;
    for (int i = 0; i < json.size(); ++i) {
        const char c = json.at(i);
        if (c == '"') {
            const int end = stringEnd(json, i);
            if (!levels.isEmpty() && levels.last().isObject && levels.last().expectsKey) {
                Level &level = levels.last();
                level.expectsKey = false;
                const QString key = keyText(json.mid(i, end - i));
                if (level.keys.contains(key))
                    return true;
                level.keys.insert(key);
            }
            i = end - 1;
        } else if (c == '{' || c == '[') {
            levels.append(Level{c == '{', c == '{', {}});
        } else if (c == '}' || c == ']') {
            if (!levels.isEmpty())
                levels.removeLast();
        } else if (c == ',' && !levels.isEmpty() && levels.last().isObject) {
            levels.last().expectsKey = true;
        }
    }
    return false;
}
