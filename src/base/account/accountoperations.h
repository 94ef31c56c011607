#pragma once

#include "net/identity.h"
#include "account/sqlite.h"

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QUrl>

class HttpRequest;
class NetworkCookie;
class QObject;

// What the gateway said to an account operation.
struct AccountReply
{
    enum Kind {
        Word,        // a bare word such as "nouser"; in word
        Error,       // an object with "code"; its text in code, its "msg" in message
        Identity,    // an object with every identity field, name, id and token set
        Incomplete,  // an object that is neither an error nor a whole identity
        Unreadable,  // anything else: no JSON, JSON that is not an object, an
                     // identity member that is no string or number or is too long
    };
    Kind kind = Unreadable;
    QString word;
    QString code;
    QString message;
    QJsonObject object;
};

// The account operations every login of the client shares (the main login,
// and each small account's): the texts they seal, how their replies read, and
// how a login becomes identity cookies in a profile's store.
class AccountOperations
{
public:
    // Longest identity member a reply may carry, in characters.
    static constexpr int maxIdentityLength = 256;

    // "datatype=user&sign=user_login&user_name=..&user_pass=..&key=.."
    static QString loginText(const QString &name, const QString &digest);
    // "datatype=user&sign=user_register&user_large_id=..&user_name=..&user_pass=..&key=.."
    static QString registerText(const QString &mainUserId, const QString &name, const QString &digest);
    // "datatype=user&sign=user_checkloginstatus&user_id=..&user_token=..&key=.."
    static QString statusCheckText(const QString &userId, const QString &token);
    // The gateway address carrying the sealed text.
    static QUrl sealedUrl(const QString &text);
    // A request for account operations: one attempt at a time, so a reply
    // reaches only the attempt that sent it.
    static HttpRequest *newRequest(QObject *parent);

    // Reads a gateway reply once, for every handler: bare words first, then JSON.
    static AccountReply classify(const QByteArray &body);
    // The identity of a login reply; the login time is the current local time.
    static Identity identityOf(const QJsonObject &reply);
    // "user_nick", "user_id", and "level", "balance", "points" ("0" when absent).
    static QMap<QString, QString> loginInfo(const QJsonObject &reply);
    // The row box_user keeps for a main account after its login; the digest
    // only when there is one, so a login without it keeps the stored one.
    static AccountRow mainAccountRow(const QJsonObject &reply, const QString &digest, bool remember,
                                     bool autoLogin);

    // Lower-case hexadecimal MD5 of the UTF-8 password: all that is ever sent or kept.
    static QString passwordDigest(const QString &password);
    // Whether the text holds a CJK ideograph (U+4E00 to U+9FA5).
    static bool hasChineseCharacter(const QString &text);

    // Writes the seven identity cookies into the jar, and so into its profile's store.
    static void writeIdentityCookies(NetworkCookie *jar, const Identity &identity);
};
