#pragma once

#include <QMap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "account/rememberedaccounts.h"

namespace Ui { class LoginForm; }

class LoginService;
class NetworkCookie;
class QMessageBox;
class QWebEngineCookieStore;
class QWebEngineProfile;
class Session;
class Sqlite;

// The login dialog: it asks the main account's login service and shows the
// answer. The service makes the login real (identity cookies of the main
// profile, the row in box_user); the dialog keeps the remembered accounts'
// list, and the main window learns what to show (signalUserBalanceInfo).
class LoginForm : public QWidget
{
    Q_OBJECT
public:
    // The account store and the login service are the client's; without
    // them (tests, tools) the dialog opens the same file and makes a service
    // of its own over a session of its own.
    explicit LoginForm(QWidget *parent = nullptr, Sqlite *store = nullptr, LoginService *login = nullptr);
    ~LoginForm() override;

    LoginService *loginService() const { return m_login; }

    // The login this dialog makes real; the main window shares its own. Without
    // one the dialog keeps a session of its own.
    void setSession(Session *session);
    Session *session() const;

    void setWebProfile(QWebEngineProfile *profile);
    // These four forward to the session, which owns the current jar and
    // replaces it at a login that follows another.
    void setCookieStore(QWebEngineCookieStore *store);
    void setCookieJar(NetworkCookie *jar);
    NetworkCookie *cookieJar() const;
    void resetCookieJar();
    void setRequestTimeout(int ms);
    void setRequestDeadline(int ms);

    // Logs in the last account marked for it, with its stored digest. Called
    // once the main window is wired, so nothing is sent before it exists.
    void tryAutoLogin();
    // Reads the remembered accounts from the store into memory and lists
    // them; the account field works from memory until the next reload.
    void reloadAccountList();


signals:
    void signalUserBalanceInfo(QMap<QString, QString> info);

public slots:
    void handlerAccountLogin();
    void handlerOpenLink();

private:
    void setupForm();
    void connectForm();
    Sqlite *accountStore();

    void fillFromAccount(const QString &name);
    QString storedDigest(const QString &name);
    void sendLogin(const QString &name, const QString &digest, bool remember, bool autoLogin);
    void handlerLoggedIn();
    void endAttempt(const QString &message);
    void restoreLoginButton();
    void showMessage(const QString &text);

    Ui::LoginForm *ui;
    Sqlite *m_store;
    Sqlite *m_ownStore = nullptr;
    LoginService *m_login;
    RememberedAccounts m_remembered;
    QPointer<QWebEngineProfile> m_profile;
    QPointer<QMessageBox> m_messageBox;
};
