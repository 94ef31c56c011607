#include "net/threadcheckaccount.h"

#include "net/guardednetwork.h"
#include "net/portal.h"

#include <QDebug>
#include <QJsonObject>
#include <QNetworkReply>
#include <QTimer>

namespace {
const char *const kGenerationProperty = "checkGeneration";
}

ThreadCheckAccount::ThreadCheckAccount(QObject *parent)
    : QObject(parent)
{
}

void ThreadCheckAccount::onCheckAccount(int platUserId, int userid, QString token)
{
    if (platUserId == 0 || userid == 0 || token.isEmpty()) {
        qDebug() << "检测账号:参数不全,不进行检测";
        return;
    }
    ensureTimer();
    ++m_generation;
    m_platUserId = platUserId;
    m_userId = userid;
    m_token = token;
    // start() restarts a running timer: the new login replaces the old check.
    m_timer->start(m_periodMs);
}

void ThreadCheckAccount::onStopCheck()
{
    ++m_generation;
    m_token.clear();
    m_userId = 0;
    m_platUserId = 0;
    if (m_timer)
        m_timer->stop();
}

void ThreadCheckAccount::onTimerLater()
{
    if (!m_network || m_token.isEmpty())
        return;
    qDebug() << "onTimerLater:" << checkAddress(Portal::redacted(m_token));
    // A hung or dripping portal ends the request well before the next period.
    ReplyGuard::Limits limits = ReplyGuard::apiLimits();
    if (m_deadlineMs > 0)
        limits.deadlineMs = m_deadlineMs;
    QNetworkReply *reply = m_network->get(QUrl(checkAddress(m_token)), limits);
    reply->setProperty(kGenerationProperty, m_generation);
}

void ThreadCheckAccount::onReplyFinish(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply->property(kGenerationProperty).toInt() != m_generation)
        return;
    // A transport error, an error page or an oversized reply says nothing about the account.
    const ReplyGuard *guard = ReplyGuard::of(reply);
    if (!guard || !guard->succeeded())
        return;
    QJsonObject object;
    if (!Portal::parseObject(guard->body(), &object))
        return;
    const int code = object.contains(QLatin1String("code"))
        // Through text: a number too large for an int must not reach a numeric conversion.
        ? Portal::text(object.value(QLatin1String("code"))).toInt()
        : accountOkCode;
    if (code == accountOkCode)
        return;
    const QString msg = Portal::text(object.value(QLatin1String("msg")));
    m_timer->stop();
    ++m_generation;
    emit signalLoginError(code, msg);
}

void ThreadCheckAccount::ensureTimer()
{
    if (m_timer)
        return;
    // Created here, on the worker thread, as children that die with the worker.
    m_timer = new QTimer(this);
    m_network = new GuardedNetwork(this);
    connect(m_timer, &QTimer::timeout, this, &ThreadCheckAccount::onTimerLater);
    connect(m_network, &GuardedNetwork::finished, this, &ThreadCheckAccount::onReplyFinish);
}

QString ThreadCheckAccount::checkAddress(const QString &token) const
{
    return Portal::apiCall(QStringLiteral("check_user_login_status")) + QLatin1Char('&')
        + QStringLiteral("user_id=%1&token=%2").arg(m_userId).arg(token);
}
