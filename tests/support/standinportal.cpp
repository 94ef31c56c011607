#include "standinportal.h"

#include "net/networkcookie.h"
#include "net/portal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QTest>

StandInPortal::StandInPortal(const QString &keyDir)
    : m_keyDir(keyDir)
{
}

StandInPortal::~StandInPortal()
{
    for (const auto &saved : qAsConst(m_savedEnvironment))
        qputenv(saved.first.constData(), saved.second);
    for (const QByteArray &name : qAsConst(m_unsetEnvironment))
        qunsetenv(name.constData());
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(2000);
}

bool StandInPortal::startFailed(const char *what)
{
    qWarning().noquote() << "stand-in portal" << what << "- state" << m_process.state() << "error"
                         << m_process.error() << m_process.errorString() << "exit" << m_process.exitStatus()
                         << m_process.exitCode();
    return false;
}

void StandInPortal::setEnvironment(const char *name, const QString &value)
{
    if (qEnvironmentVariableIsSet(name))
        m_savedEnvironment.append({QByteArray(name), qgetenv(name)});
    else
        m_unsetEnvironment.append(QByteArray(name));
    qputenv(name, value.toUtf8());
}

bool StandInPortal::start()
{
    m_process.setProgram(QStringLiteral(KORVO_BIN_DIR "/korvo-devportal"));
    m_process.setArguments({QStringLiteral("--portal-port"), QStringLiteral("0"), QStringLiteral("--h5-port"),
                            QStringLiteral("0"), QStringLiteral("--key-dir"), m_keyDir});
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    // On a machine whose cores are busy, a large test process takes its time to fork.
    if (!m_process.waitForStarted(30000))
        return startFailed("not started");
    QString h5Host;
    while (m_portalHost.isEmpty() || h5Host.isEmpty()) {
        if (!m_process.canReadLine() && !m_process.waitForReadyRead(30000))
            return startFailed("no address told");
        while (m_process.canReadLine()) {
            const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
            if (line.startsWith(QLatin1String("portal ")))
                m_portalHost = line.mid(7);
            else if (line.startsWith(QLatin1String("h5 ")))
                h5Host = line.mid(3);
        }
    }
    setEnvironment("KORVO_PORTAL_HOST", m_portalHost);
    setEnvironment("KORVO_H5_HOST", h5Host);
    return true;
}

namespace {
// A control or log request that went wrong fails the test that asked for it;
// without one running (a benchmark) it is only told.
void reportFailure(const QString &what)
{
    qWarning().noquote() << "stand-in portal:" << what;
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(QStringLiteral("stand-in portal: ") + what), __FILE__, __LINE__);
}
}

std::optional<QByteArray> StandInPortal::fetch(const QString &path, const QByteArray &jsonBody)
{
    QNetworkRequest request(QUrl(QStringLiteral("http://") + m_portalHost + path));
    // A connection of its own each time: a kept-alive one the portal has
    // since closed (a fault may end every connection) fails before sending.
    request.setRawHeader("Connection", "close");
    QNetworkReply *reply;
    if (jsonBody.isNull()) {
        reply = m_network.get(request);
    } else {
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
        reply = m_network.post(request, jsonBody);
    }
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished() && !finished.wait(20000))
        reply->abort();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->readAll();
    const QString error = reply->error() != QNetworkReply::NoError ? reply->errorString() : QString();
    reply->deleteLater();
    if (!error.isEmpty() || status != 200) {
        reportFailure(QStringLiteral("%1 answered %2 %3").arg(path).arg(status).arg(error));
        return std::nullopt;
    }
    return body;
}

QJsonObject StandInPortal::control(const QJsonObject &params)
{
    return QJsonDocument::fromJson(fetch(QStringLiteral("/__control"), QJsonDocument(params).toJson()).value_or(QByteArray()))
        .object();
}

bool StandInPortal::setLoginFault(const QJsonObject &fault)
{
    QJsonObject params = fault;
    params.insert(QStringLiteral("op"), QStringLiteral("fault"));
    params.insert(QStringLiteral("endpoint"), QStringLiteral("user_login"));
    params.insert(QStringLiteral("times"), QStringLiteral("1"));
    return control(params).value(QStringLiteral("ok")).toBool();
}

std::optional<QList<QJsonObject>> StandInPortal::requestLog()
{
    const std::optional<QByteArray> text = fetch(QStringLiteral("/__log"), QByteArray());
    if (!text)
        return std::nullopt;
    QList<QJsonObject> entries;
    for (const QByteArray &line : text->split('\n')) {
        if (line.isEmpty())
            continue;
        const QJsonDocument entry = QJsonDocument::fromJson(line);
        if (!entry.isObject()) {
            reportFailure(QStringLiteral("a log line that is no JSON object: ") + QString::fromUtf8(line.left(200)));
            return std::nullopt;
        }
        entries << entry.object();
    }
    return entries;
}

QList<QJsonObject> StandInPortal::logEntries()
{
    return requestLog().value_or(QList<QJsonObject>());
}

QStringList StandInPortal::gatewayTexts()
{
    QStringList texts;
    for (const QJsonObject &entry : logEntries()) {
        if (entry.value(QStringLiteral("path")).toString() == QLatin1String("/DODev_C/boxInit.php"))
            texts << entry.value(QStringLiteral("appData")).toString();
    }
    return texts;
}

QList<QJsonObject> StandInPortal::apiCalls(const QString &action)
{
    QList<QJsonObject> calls;
    for (const QJsonObject &entry : apiEntries(action))
        calls << entry.value(QStringLiteral("params")).toObject();
    return calls;
}

QList<QJsonObject> StandInPortal::apiEntries(const QString &action)
{
    QList<QJsonObject> entries;
    for (const QJsonObject &entry : logEntries()) {
        const QJsonObject params = entry.value(QStringLiteral("params")).toObject();
        if (params.value(QStringLiteral("type")).toString() == QLatin1String("open")
            && params.value(QStringLiteral("action")).toString() == action)
            entries << entry;
    }
    return entries;
}

int StandInPortal::requestCount(const QString &path, const QString &action)
{
    const std::optional<QList<QJsonObject>> log = requestLog();
    if (!log)
        return -1;
    int count = 0;
    for (const QJsonObject &entry : *log) {
        const QJsonObject params = entry.value(QStringLiteral("params")).toObject();
        if (entry.value(QStringLiteral("path")).toString() == path
            && (action.isNull() || params.value(QStringLiteral("action")).toString() == action))
            ++count;
    }
    return count;
}

bool StandInPortal::logIn(NetworkCookie *jar, const QString &name)
{
    const QJsonObject login =
        control({{QStringLiteral("op"), QStringLiteral("login")}, {QStringLiteral("user_name"), name}});
    if (!login.value(QStringLiteral("ok")).toBool())
        return false;
    for (const QString &key : {QStringLiteral("user_name"), QStringLiteral("user_id"), QStringLiteral("user_token")})
        jar->setCookie(key, login.value(key).toString(), QStringLiteral("/"), 0, Portal::cookieDomain(), false, false);
    return true;
}
