#include "account/accountoperations.h"

#include "net/httprequest.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "net/rsasignature.h"
#include "net/tokendelaythread.h"

#include <QCryptographicHash>
#include <QDateTime>

namespace {
// The bare words of the gateway; any other body is read as JSON.
const char *const kWords[] = {"params error", "nouser",       "password_error", "already",          "failed",
                              "success",      "game error",   "server error",   "username repeat", "query is empty"};

QString field(const QJsonObject &reply, const char *key)
{
    return Portal::text(reply.value(QLatin1String(key)));
}

// The identity members a reply may carry, each a string or a number of sane length.
const char *const kIdentityKeys[] = {"plat_userid", "user_id", "user_name", "user_email", "user_nick", "user_token"};

bool identityIsReadable(const QJsonObject &object)
{
    for (const char *key : kIdentityKeys) {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined())
            continue;
        if (!value.isString() && !value.isDouble())
            return false;
        if (Portal::text(value).size() > AccountOperations::maxIdentityLength)
            return false;
    }
    return true;
}

bool holdsIdentity(const QJsonObject &object)
{
    for (const char *key : {"user_name", "user_email", "user_nick", "user_id", "user_token"}) {
        if (!object.contains(QLatin1String(key)))
            return false;
    }
    // A reply without name, id or token logs nobody in.
    for (const char *key : {"user_name", "user_id", "user_token"}) {
        if (field(object, key).isEmpty())
            return false;
    }
    return true;
}
}

QString AccountOperations::loginText(const QString &name, const QString &digest)
{
    return Portal::accountText(QStringLiteral("user_login"),
                               QStringLiteral("user_name=") + name + QStringLiteral("&user_pass=") + digest);
}

QString AccountOperations::registerText(const QString &mainUserId, const QString &name, const QString &digest)
{
    return Portal::accountText(QStringLiteral("user_register"), QStringLiteral("user_large_id=") + mainUserId
                                   + QStringLiteral("&user_name=") + name + QStringLiteral("&user_pass=") + digest);
}

QString AccountOperations::statusCheckText(const QString &userId, const QString &token)
{
    return TokenDelayThread::refreshText(userId, token);
}

QUrl AccountOperations::sealedUrl(const QString &text)
{
    return Portal::accountUrl(RSASignature::encrypt(text));
}

HttpRequest *AccountOperations::newRequest(QObject *parent)
{
    auto *request = new HttpRequest(parent);
    request->setOneAttempt(true);
    return request;
}

AccountReply AccountOperations::classify(const QByteArray &body)
{
    AccountReply reply;
    const QByteArray clean = Portal::stripBom(body);
    for (const char *word : kWords) {
        if (clean == word) {
            reply.kind = AccountReply::Word;
            reply.word = QString::fromLatin1(word);
            return reply;
        }
    }
    if (!Portal::parseObject(clean, &reply.object))
        return reply;
    if (Portal::isErrorObject(reply.object, &reply.message)) {
        reply.kind = AccountReply::Error;
        reply.code = field(reply.object, "code");
        return reply;
    }
    if (!identityIsReadable(reply.object)) {
        reply.object = QJsonObject();
        return reply;
    }
    reply.kind = holdsIdentity(reply.object) ? AccountReply::Identity : AccountReply::Incomplete;
    return reply;
}

Identity AccountOperations::identityOf(const QJsonObject &reply)
{
    Identity who;
    who.platUserId = field(reply, "plat_userid");
    who.userId = field(reply, "user_id");
    who.userName = field(reply, "user_name");
    who.userEmail = field(reply, "user_email");
    who.userNick = field(reply, "user_nick");
    who.userToken = field(reply, "user_token");
    who.userLoginTime = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return who;
}

QMap<QString, QString> AccountOperations::loginInfo(const QJsonObject &reply)
{
    QMap<QString, QString> info;
    info.insert(QStringLiteral("user_nick"), field(reply, "user_nick"));
    info.insert(QStringLiteral("user_id"), field(reply, "user_id"));
    const QJsonObject userInfo = reply.value(QLatin1String("user_info")).toObject();
    for (const char *key : {"level", "balance", "points"}) {
        const QString value = field(userInfo, key);
        info.insert(QLatin1String(key), value.isEmpty() ? QStringLiteral("0") : value);
    }
    return info;
}

void AccountOperations::writeIdentityCookies(NetworkCookie *jar, const Identity &identity)
{
    if (!jar)
        return;
    const QString domain = Portal::cookieDomain();
    const QStringList names = Identity::cookieNames();
    const QStringList values = identity.values();
    for (int i = 0; i < names.size(); ++i)
        jar->setCookie(names.at(i), values.at(i), QStringLiteral("/"), 0, domain, false, false);
}

AccountRow AccountOperations::mainAccountRow(const QJsonObject &reply, const QString &digest, bool remember,
                                             bool autoLogin)
{
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    AccountRow row;
    for (const char *key : {"user_id", "user_name", "user_nick", "user_email"})
        row.insert(QLatin1String(key), field(reply, key));
    if (!digest.isEmpty())
        row.insert(QStringLiteral("user_pass"), digest);
    row.insert(QStringLiteral("main_id"), QStringLiteral("0"));
    row.insert(QStringLiteral("list"), QStringLiteral("0"));
    row.insert(QStringLiteral("auto_login"), flag(autoLogin));
    row.insert(QStringLiteral("remember_me"), flag(remember));
    row.insert(QStringLiteral("is_main"), QStringLiteral("1"));
    row.insert(QStringLiteral("login_time"), QString::number(QDateTime::currentSecsSinceEpoch()));
    return row;
}

QString AccountOperations::passwordDigest(const QString &password)
{
    return QString::fromLatin1(QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Md5).toHex());
}

bool AccountOperations::hasChineseCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fa5)
            return true;
    }
    return false;
}
