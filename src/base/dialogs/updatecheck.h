#pragma once

#include <QByteArray>
#include <QString>

// What the portal's check_update call says, and how the client reads it.
class UpdateCheck
{
public:
    struct Reply
    {
        bool readable = false;   // a JSON object, not an "error..." body
        QString latest;          // "last_version", or "1.0.0.1" when missing
        QString downloadUrl;     // "down_url" when it is an http(s) address on the portal's host, else empty
    };

    static Reply read(const QByteArray &body);

    // Numeric, part by part: "1.5.1.10" is newer than "1.5.1.4", "1.6" than
    // "1.5.9.9". A version that is not numbers and dots is never newer.
    static bool isNewer(const QString &candidate, const QString &current);

    // At start: a newer version the user has not chosen to skip.
    static bool shouldAnnounce(const Reply &reply, bool skipping, const QString &skippedVersion);
};
