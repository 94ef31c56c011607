#pragma once

#include "net/identity.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class LoginService;
class Sqlite;

// Logs a list of stored small accounts in, one after another, each once,
// through one login service: what an action for all accounts needs before it
// opens anything. Each account ends logged in or failed with the reason the
// gateway gave; a failed account is not tried again. A cancelled run sends
// nothing more and reports nothing more.
class AllAccountsRun : public QObject
{
    Q_OBJECT
public:
    struct Outcome
    {
        QString userName;
        Identity who;    // set when logged in
        QString problem; // set when not
        bool loggedIn() const { return problem.isEmpty(); }
    };

    // The service logs stored small accounts in (its kind SmallAccount); the
    // run uses it alone while it runs.
    explicit AllAccountsRun(LoginService *login, QObject *parent = nullptr);

    // The names of the small accounts the main account keeps here, in the store's order.
    static QStringList smallAccountNames(Sqlite *store, const QString &mainUserId);

    // Starts over with these names; false while a run is going.
    bool start(const QStringList &userNames);
    void cancel();
    bool isRunning() const { return m_running; }
    const QList<Outcome> &outcomes() const { return m_outcomes; }
    QStringList failedLines() const;

signals:
    void signalAccountDone(const AllAccountsRun::Outcome &outcome);
    void signalFinished();

private:
    void next();
    void finish(const Outcome &outcome);
    void handlerLoggedIn(const Identity &who);
    void handlerFailed(const QString &message);

    QPointer<LoginService> m_login;
    QStringList m_waiting;
    QString m_current;
    QList<Outcome> m_outcomes;
    bool m_running = false;
};

Q_DECLARE_METATYPE(AllAccountsRun::Outcome)
