#include "account/allaccountsrun.h"

#include "account/loginservice.h"
#include "account/sqlite.h"

#include <QDebug>

AllAccountsRun::AllAccountsRun(LoginService *login, QObject *parent)
    : QObject(parent)
    , m_login(login)
{
    qRegisterMetaType<AllAccountsRun::Outcome>();
    if (!login)
        return;
    connect(login, &LoginService::signalLoggedIn, this, &AllAccountsRun::handlerLoggedIn);
    connect(login, &LoginService::signalFailed, this, &AllAccountsRun::handlerFailed);
}

QStringList AllAccountsRun::smallAccountNames(Sqlite *store, const QString &mainUserId)
{
    QStringList names;
    if (!store || !LoginService::isUserId(mainUserId))
        return names;
    for (const AccountRow &row : store->smallAccountsOf(mainUserId)) {
        const QString name = row.value(QStringLiteral("user_name"));
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

bool AllAccountsRun::start(const QStringList &userNames)
{
    if (m_running)
        return false;
    m_outcomes.clear();
    m_waiting = userNames;
    m_running = true;
    next();
    return true;
}

void AllAccountsRun::cancel()
{
    if (!m_running)
        return;
    m_running = false;
    m_waiting.clear();
    m_current.clear();
    if (m_login)
        m_login->cancel();
}

QStringList AllAccountsRun::failedLines() const
{
    QStringList lines;
    for (const Outcome &outcome : m_outcomes) {
        if (!outcome.loggedIn())
            lines.append(QStringLiteral("%1：%2").arg(outcome.userName, outcome.problem));
    }
    return lines;
}

void AllAccountsRun::next()
{
    while (m_running && m_current.isEmpty() && !m_waiting.isEmpty()) {
        m_current = m_waiting.takeFirst();
        if (!m_login) {
            handlerFailed(QStringLiteral("系统异常,请重启客户端重试"));
            continue;
        }
        // A start refused without a word is a login of someone else still out.
        const QString name = m_current;
        if (!m_login->loginStored(name) && m_current == name)
            handlerFailed(QStringLiteral("正在登录其他账号,请稍后重试"));
    }
    if (m_running && m_current.isEmpty() && m_waiting.isEmpty()) {
        m_running = false;
        emit signalFinished();
    }
}

void AllAccountsRun::finish(const Outcome &outcome)
{
    qDebug() << "all accounts:" << outcome.userName << (outcome.loggedIn() ? "logged in" : "failed");
    m_current.clear();
    m_outcomes.append(outcome);
    emit signalAccountDone(outcome);
}

void AllAccountsRun::handlerLoggedIn(const Identity &who)
{
    if (!m_running || m_current.isEmpty())
        return;
    Outcome outcome;
    outcome.userName = m_current;
    // The login answers for the name asked; another name is no login of ours.
    if (who.userName.compare(m_current, Qt::CaseInsensitive) == 0)
        outcome.who = who;
    else
        outcome.problem = QStringLiteral("账号数据不符");
    finish(outcome);
    QMetaObject::invokeMethod(this, &AllAccountsRun::next, Qt::QueuedConnection);
}

void AllAccountsRun::handlerFailed(const QString &message)
{
    if (!m_running || m_current.isEmpty())
        return;
    Outcome outcome;
    outcome.userName = m_current;
    outcome.problem = message.isEmpty() ? QStringLiteral("登录失败") : message;
    finish(outcome);
    // The next login starts once the service has finished with this one.
    QMetaObject::invokeMethod(this, &AllAccountsRun::next, Qt::QueuedConnection);
}
