#pragma once

#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <optional>

class NetworkCookie;

// korvo-devportal from the build, on free loopback ports, with its key pair in
// keyDir (where the client looks for public_key_korvo.pem). Points the client
// at it through KORVO_PORTAL_HOST.
class StandInPortal
{
public:
    explicit StandInPortal(const QString &keyDir);
    ~StandInPortal();

    bool start();
    QString portalHost() const { return m_portalHost; }

    // POSTs the parameters to /__control; the portal's JSON answer.
    QJsonObject control(const QJsonObject &params);
    bool setLoginFault(const QJsonObject &fault);
    // A login the portal issued for name, its identity cookies put into jar
    // as the login dialog puts them; false when the portal refused.
    bool logIn(NetworkCookie *jar, const QString &name);
    // The decoded texts of the login gateway requests logged so far.
    QStringList gatewayTexts();
    // The decoded parameters of every logged call of the JSON action, oldest first.
    QList<QJsonObject> apiCalls(const QString &action);
    // The whole log entries of those calls (method, files of an upload, ...).
    QList<QJsonObject> apiEntries(const QString &action);
    // How many requests for path (and, when given, the action) were logged so
    // far; -1 when the log could not be read.
    int requestCount(const QString &path, const QString &action = QString());
    // Every logged request, oldest first. A control or log request without an
    // answer, with an error, or with a line that is no JSON object fails the
    // running test and gives nullopt here and an empty list from the readers
    // above: an empty list that comes with a passing test is an empty log.
    std::optional<QList<QJsonObject>> requestLog();

private:
    std::optional<QByteArray> fetch(const QString &path, const QByteArray &jsonBody);
    QList<QJsonObject> logEntries();

    // What start() changed in the environment, restored when the portal goes.
    QList<QPair<QByteArray, QByteArray>> m_savedEnvironment;
    QList<QByteArray> m_unsetEnvironment;
    void setEnvironment(const char *name, const QString &value);
    // Says why the portal did not come up, for the failing test's log.
    bool startFailed(const char *what);

    QString m_keyDir;
    QString m_portalHost;
    QProcess m_process;
    QNetworkAccessManager m_network;
};
