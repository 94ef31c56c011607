#include "account/loginservice.h"

#include "account/accountoperations.h"
#include "net/httprequest.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "net/session.h"

#include <QDateTime>
#include <QDebug>
#include <QHash>
#include <QRegularExpression>

namespace {
// How one kind of login words the replies that log nobody in.
struct ProblemWords
{
    QHash<QString, QString> words;
    QString otherWord;
    QString errorPrefix;  // an error object without a message: the prefix and its code
    QString incomplete;
    QString unreadable;
};

const ProblemWords &wordsFor(LoginService::Kind kind)
{
    const QString nouser = QStringLiteral("账号不存在!");
    const QString wrongPassword = QStringLiteral("密码错误!");
    static const ProblemWords main{
        {{QStringLiteral("params error"), QStringLiteral("系统异常，请重启客户端后重试 ")},
         {QStringLiteral("nouser"), nouser},
         {QStringLiteral("password_error"), wrongPassword}},
        QStringLiteral("系统异常,请重新启动客户端"),
        QStringLiteral("系统异常:"),
        QStringLiteral("登录异常,请联系客服"),
        QStringLiteral("系统异常,请重新启动客户端")};
    static const ProblemWords small{
        {{QStringLiteral("params error"), QStringLiteral("账号登录异常,请重新添加该账号")},
         {QStringLiteral("nouser"), nouser},
         {QStringLiteral("password_error"), wrongPassword}},
        QStringLiteral("数据解析失败,请稍后重试"),
        QString(),
        QStringLiteral("数据解析失败,请稍后重试"),
        QStringLiteral("数据解析失败,请稍后重试")};
    static const ProblemWords check{
        {{QStringLiteral("params error"), QStringLiteral("网络异常,请稍后重试")},
         {QStringLiteral("nouser"), nouser},
         {QStringLiteral("password_error"), wrongPassword}},
        QStringLiteral("数据解析失败,请重启客户端后重试"),
        QString(),
        QStringLiteral("数据解析失败,请重启客户端后重试"),
        QStringLiteral("数据解析失败,请重启客户端后重试")};
    switch (kind) {
    case LoginService::MainAccount:
        return main;
    case LoginService::SmallAccount:
        break;
    case LoginService::SmallAccountCheck:
        return check;
    }
    return small;
}
}

LoginService::LoginService(Kind kind, Sqlite *store, QObject *parent)
    : QObject(parent)
    , m_kind(kind)
    , m_store(store)
    , m_request(AccountOperations::newRequest(this))
{
    connect(m_request, &HttpRequest::signalHttpSuccess, this, &LoginService::handlerLoginResult);
    connect(m_request, &HttpRequest::signalHttpFailed, this, &LoginService::handlerLoginFailed);
}

void LoginService::setSession(Session *session)
{
    m_session = session;
}

Session *LoginService::session() const
{
    return m_session;
}

void LoginService::setCookieStoreFor(CookieStoreFor storeFor)
{
    m_storeFor = std::move(storeFor);
}

bool LoginService::login(const Attempt &attempt)
{
    if (m_busy)
        return false;
    m_busy = true;
    m_attempt = attempt;
    // The text holds the digest and the API key: it is sealed, never logged.
    qDebug() << "login: as" << attempt.userName;
    m_request->get(AccountOperations::sealedUrl(AccountOperations::loginText(attempt.userName, attempt.digest)));
    return true;
}

bool LoginService::loginStored(const QString &userName)
{
    if (m_busy)
        return false;
    const AccountRow row = m_store ? m_store->accountByName(userName) : AccountRow();
    if (row.isEmpty()) {
        qDebug() << "login: no stored account" << userName;
        emit signalFailed(QStringLiteral("小号已不在本机,请重新添加该账号"));
        return false;
    }
    Attempt attempt;
    attempt.userName = row.value(QStringLiteral("user_name"));
    attempt.digest = row.value(QStringLiteral("user_pass"));
    attempt.remember = row.value(QStringLiteral("remember_me")) == QLatin1String("1");
    attempt.autoLogin = row.value(QStringLiteral("auto_login")) == QLatin1String("1");
    return login(attempt);
}

void LoginService::cancel()
{
    m_request->cancel();
    m_busy = false;
}

QString LoginService::problemOf(const AccountReply &reply, Kind kind)
{
    const ProblemWords &words = wordsFor(kind);
    switch (reply.kind) {
    case AccountReply::Identity:
        return QString();
    case AccountReply::Word:
        // Another word of the gateway is as unreadable here as no JSON at all.
        return words.words.value(reply.word, words.otherWord);
    case AccountReply::Error:
        if (!reply.message.isEmpty())
            return reply.message;
        return words.errorPrefix.isEmpty() ? words.unreadable : words.errorPrefix + reply.code;
    case AccountReply::Incomplete:
        return words.incomplete;
    case AccountReply::Unreadable:
        break;
    }
    return words.unreadable;
}

bool LoginService::isUserId(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[1-9][0-9]{0,18}$"));
    return digits.match(text).hasMatch();
}

AccountRow LoginService::rowOf(Kind kind, const QJsonObject &reply, const Attempt &attempt)
{
    if (kind == MainAccount)
        return AccountOperations::mainAccountRow(reply, attempt.digest, attempt.remember, attempt.autoLogin);
    AccountRow row;
    for (const char *key : {"user_id", "user_name", "user_nick", "user_email"})
        row.insert(QLatin1String(key), Portal::text(reply.value(QLatin1String(key))));
    if (kind == SmallAccountCheck) {
        row.insert(QStringLiteral("user_pass"), attempt.digest);
        row.insert(QStringLiteral("main_id"), attempt.mainUserId);
    } else {
        row.insert(QStringLiteral("login_time"), QString::number(QDateTime::currentSecsSinceEpoch()));
    }
    return row;
}

void LoginService::handlerLoginResult(const QByteArray &reply)
{
    // The body carries the account's token: only its size goes to the log.
    qDebug() << "login reply:" << reply.size() << "bytes";
    m_busy = false;
    const AccountReply answer = AccountOperations::classify(reply);
    if (m_kind == SmallAccountCheck && answer.kind == AccountReply::Word && answer.word == QLatin1String("nouser")) {
        emit signalUnknownAccount(problemOf(answer, m_kind));
        return;
    }
    QString problem = problemOf(answer, m_kind);
    // The user id names the account's own profile and goes into addresses:
    // a number, never "default" (the main account's profile) nor a path.
    if (problem.isEmpty() && !isUserId(AccountOperations::identityOf(answer.object).userId))
        problem = problemOf(AccountReply(), m_kind);
    if (!problem.isEmpty()) {
        emit signalFailed(problem);
        return;
    }
    const Identity who = AccountOperations::identityOf(answer.object);
    m_reply = answer.object;
    writeCookies(who);
    if (m_store)
        m_store->saveLogin(rowOf(m_kind, answer.object, m_attempt));
    emit signalLoggedIn(who);
}

void LoginService::handlerLoginFailed(const QString &error)
{
    qDebug() << "login failed:" << error;
    m_busy = false;
    emit signalFailed(QStringLiteral("网络异常,请稍后重试"));
}

void LoginService::writeCookies(const Identity &who)
{
    if (m_kind == MainAccount) {
        writeMainCookies(who);
        return;
    }
    QWebEngineCookieStore *store = m_kind == SmallAccount && m_storeFor ? m_storeFor(who.userId) : nullptr;
    if (!store)
        return;
    // The jar only writes through to the store; the store keeps the cookies.
    NetworkCookie jar(store);
    AccountOperations::writeIdentityCookies(&jar, who);
}

void LoginService::writeMainCookies(const Identity &who)
{
    if (!m_session) {
        qDebug() << "login: no session, the login stays invisible to the pages";
        return;
    }
    // A login after another starts from an empty jar and store, so no cookie
    // of the previous account survives.
    if (!m_session->cookieValue(QStringLiteral("user_id")).isEmpty())
        m_session->resetCookieJar();
    NetworkCookie *jar = m_session->ensureCookieJar();
    if (!jar) {
        qDebug() << "login: no cookie jar, the login stays invisible to the pages";
        return;
    }
    AccountOperations::writeIdentityCookies(jar, who);
}
