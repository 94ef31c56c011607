#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "account/rememberedaccounts.h"

namespace Ui { class LoginForm; }

class HttpRequest;
class NetworkCookie;
class QMessageBox;
class QWebEngineCookieStore;
class QWebEngineProfile;
class Session;
class Sqlite;
class TabWidget;
class UserPhotoControl;
struct AccountReply;

// The login dialog, and where a login becomes real for the whole client: the
// credentials go sealed to the portal's login gateway, the reply becomes the
// identity cookies of the main web profile, the account is remembered in
// box_user, and the main window learns what to show (signalUserBalanceInfo).
class LoginForm : public QWidget
{
    Q_OBJECT
public:
    // The account store is the client's; without one (tests, tools) the
    // dialog opens the same file itself.
    explicit LoginForm(QWidget *parent = nullptr, Sqlite *store = nullptr);
    ~LoginForm() override;

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
    void setUserPhoto(UserPhotoControl *badge);
    // The tab container whose extra tabs a login closes; by default the main window's.
    void setTabWidget(TabWidget *tabs);
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
    void handlerLoginResult(QByteArray reply);
    void handlerOpenLink();

private:
    void setupForm();
    void connectForm();
    Sqlite *accountStore();
    TabWidget *tabWidget() const;

    void fillFromAccount(const QString &name);
    QString storedDigest(const QString &name);
    void sendLogin(const QString &name, const QString &digest);
    void handlerLoginFailed(const QString &error);
    void endAttempt(const QString &message);
    void restoreLoginButton();
    void showMessage(const QString &text);

    static QString replyProblem(const AccountReply &reply);
    void completeLogin(const QJsonObject &reply);
    void writeIdentityCookies(const QJsonObject &reply);
    void storeAccount(const QJsonObject &reply);
    void showUserInTabs(const QString &userName);

    Ui::LoginForm *ui;
    HttpRequest *m_request;
    Sqlite *m_store;
    Sqlite *m_ownStore = nullptr;
    RememberedAccounts m_remembered;
    QPointer<TabWidget> m_tabWidget;
    QPointer<UserPhotoControl> m_badge;
    QPointer<QWebEngineProfile> m_profile;
    QPointer<Session> m_session;
    QPointer<QMessageBox> m_messageBox;
    QString m_passwordHash;
    bool m_rememberChecked = false;
    bool m_autoLoginChecked = false;
};
