#include "account/smallaccountlogin.h"

#include "account/accountoperations.h"
#include "net/httprequest.h"
#include "net/networkcookie.h"

#include <QDateTime>
#include <QDebug>
#include <QHash>
#include <QRegularExpression>

SmallAccountLogin::SmallAccountLogin(Sqlite *store, CookieStoreFor storeFor, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_storeFor(std::move(storeFor))
    , m_request(AccountOperations::newRequest(this))
{
    connect(m_request, &HttpRequest::signalHttpSuccess, this, &SmallAccountLogin::handlerLoginResult);
    connect(m_request, &HttpRequest::signalHttpFailed, this, &SmallAccountLogin::handlerLoginFailed);
}

bool SmallAccountLogin::start(const QString &userName)
{
    if (m_busy)
        return false;
    const AccountRow row = m_store ? m_store->accountByName(userName) : AccountRow();
    if (row.isEmpty()) {
        qDebug() << "小号查询失败:account=" << userName;
        emit signalFailed(QStringLiteral("小号已不在本机,请重新添加该账号"));
        return false;
    }
    m_busy = true;
    // The text holds the digest and the API key: it is sealed, never logged.
    m_request->get(AccountOperations::sealedUrl(
        AccountOperations::loginText(row.value(QStringLiteral("user_name")), row.value(QStringLiteral("user_pass")))));
    return true;
}

QString SmallAccountLogin::problemOf(const AccountReply &reply)
{
    static const QHash<QString, QString> wordMessages = {
        {QStringLiteral("params error"), QStringLiteral("账号登录异常,请重新添加该账号")},
        {QStringLiteral("nouser"), QStringLiteral("账号不存在!")},
        {QStringLiteral("password_error"), QStringLiteral("密码错误!")},
    };
    const QString unreadable = QStringLiteral("数据解析失败,请稍后重试");
    switch (reply.kind) {
    case AccountReply::Identity:
        return QString();
    case AccountReply::Word:
        return wordMessages.value(reply.word, unreadable);
    case AccountReply::Error:
        return reply.message.isEmpty() ? unreadable : reply.message;
    case AccountReply::Incomplete:
    case AccountReply::Unreadable:
        break;
    }
    return unreadable;
}

bool SmallAccountLogin::isUserId(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[1-9][0-9]{0,18}$"));
    return digits.match(text).hasMatch();
}

AccountRow SmallAccountLogin::loginRow(const Identity &who)
{
    return {{QStringLiteral("user_id"), who.userId},
            {QStringLiteral("user_name"), who.userName},
            {QStringLiteral("user_nick"), who.userNick},
            {QStringLiteral("user_email"), who.userEmail},
            {QStringLiteral("login_time"), QString::number(QDateTime::currentSecsSinceEpoch())}};
}

void SmallAccountLogin::handlerLoginResult(const QByteArray &reply)
{
    // The body carries the account's token: only its size goes to the log.
    qDebug() << "small login reply:" << reply.size() << "bytes";
    m_busy = false;
    const AccountReply answer = AccountOperations::classify(reply);
    QString problem = problemOf(answer);
    // The user id names the account's own profile: a number, never "default"
    // (the main account's) nor a path.
    if (problem.isEmpty() && !isUserId(AccountOperations::identityOf(answer.object).userId))
        problem = problemOf(AccountReply());
    if (!problem.isEmpty()) {
        emit signalFailed(problem);
        return;
    }
    const Identity who = AccountOperations::identityOf(answer.object);
    writeCookies(who);
    if (m_store)
        m_store->saveLogin(loginRow(who));
    emit signalLoggedIn(who);
}

void SmallAccountLogin::handlerLoginFailed(const QString &error)
{
    qDebug() << "small login failed:" << error;
    m_busy = false;
    emit signalFailed(QStringLiteral("网络异常,请稍后重试"));
}

void SmallAccountLogin::writeCookies(const Identity &who)
{
    QWebEngineCookieStore *store = m_storeFor ? m_storeFor(who.userId) : nullptr;
    if (!store)
        return;
    // The jar only writes through to the store; the store keeps the cookies.
    NetworkCookie jar(store);
    AccountOperations::writeIdentityCookies(&jar, who);
}
