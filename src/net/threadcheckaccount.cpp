#include "threadcheckaccount.h"

#include "portal.h"

#include <QDebug>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {
const char *const kGenerationProperty = "checkGeneration";
constexpr int kRequestTimeoutMs = 15000;
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
    if (!m_manager || m_token.isEmpty())
        return;
    qDebug() << "onTimerLater:" << checkAddress(Portal::redacted(m_token));
    QNetworkRequest request{QUrl(checkAddress(m_token))};
    // A hung portal ends the request well before the next period.
    request.setTransferTimeout(kRequestTimeoutMs);
    QNetworkReply *reply = m_manager->get(request);
    reply->setProperty(kGenerationProperty, m_generation);
}

void ThreadCheckAccount::onReplyFinish(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply->property(kGenerationProperty).toInt() != m_generation)
        return;
    // A transport error or an error page says nothing about the account.
    if (reply->error() != QNetworkReply::NoError)
        return;
    QJsonObject object;
    if (!Portal::parseObject(reply->readAll(), &object))
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
    m_manager = new QNetworkAccessManager(this);
    connect(m_timer, &QTimer::timeout, this, &ThreadCheckAccount::onTimerLater);
    connect(m_manager, &QNetworkAccessManager::finished, this, &ThreadCheckAccount::onReplyFinish);
}

QString ThreadCheckAccount::checkAddress(const QString &token) const
{
    return Portal::apiCall(QStringLiteral("check_user_login_status")) + QLatin1Char('&')
        + QStringLiteral("user_id=%1&token=%2").arg(m_userId).arg(token);
}
