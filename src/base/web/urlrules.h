#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The diverting rules of the portal, kept in "gameurlgoto.ini": the groups
// "pay" and "host", each of name = pattern. The file persists between runs;
// each start refreshes it from the portal.
class UrlRules
{
public:
    static QString fileName();   // <app>/gameurlgoto.ini

    // Writes the rules of a portal reply into the file; names the reply does
    // not mention stay. False, and nothing written, for anything but an object
    // whose "pay" and "host" members are objects of strings.
    static bool writeReply(const QByteArray &body, const QString &file);
    // Every pattern of both groups, in the file's order.
    static QStringList patterns(const QString &file);

    // What the file looked like when last read, so that rules are compiled
    // again only when it changes.
    struct Stamp
    {
        QDateTime modified;
        qint64 size = -1;
        bool operator==(const Stamp &other) const { return modified == other.modified && size == other.size; }
    };
    static Stamp stampOf(const QString &file);
};
