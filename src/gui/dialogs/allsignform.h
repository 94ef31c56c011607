#pragma once

#include "account/allaccountsrun.h"

#include <QList>
#include <QWidget>

namespace Ui { class AllSignForm; }

struct AppServices;
class LoginService;
class QListWidgetItem;
class QWebChannel;
class QWebEngineProfile;
class WebView;

// The sign-in calendars of the main account and of each of its small
// accounts in one window, one page per account: the list on the left names
// the accounts, the page on the right is that account's calendar in its own
// profile, so each is signed in without switching accounts. The foot says how
// many are signed in today and which accounts could not log in, and why.
class AllSignForm : public QWidget
{
    Q_OBJECT
public:
    // The login service logs the small accounts in, each into the profile
    // named after its user id; the window uses it alone while it is open.
    AllSignForm(const AppServices &services, LoginService *login, QWebChannel *channel, QWidget *parent);
    ~AllSignForm() override;

    // The main account's page at once, then the small accounts, one after another.
    void start();
    int accountCount() const { return m_pages.size(); }
    int signedCount() const;
    // The calendar of that account; null while it logs in or when it failed.
    WebView *viewOf(const QString &userName) const;

signals:
    // "已签到 n / m", told whenever it changes.
    void signalSummaryChanged(const QString &summary);

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    enum State { LoggingIn, Loading, Unsigned, Signed, LoadFailed, LoginFailed };
    struct Page
    {
        QString userName;
        QListWidgetItem *item = nullptr;
        QWidget *widget = nullptr;
        WebView *view = nullptr;
        State state = LoggingIn;
    };

    int addAccount(const QString &userName);
    void replacePage(int index, QWidget *widget);
    void showCalendar(int index, const QString &userId, QWebEngineProfile *profile, QWebChannel *channel);
    QWebChannel *smallAccountChannel(int index);
    void readSigned(int index, bool loaded);
    void setState(int index, State state);
    void handlerAccountDone(const AllAccountsRun::Outcome &outcome);
    void updateFoot();
    int indexOf(const QString &userName) const;

    Ui::AllSignForm *ui;
    const AppServices &m_services;
    QWebChannel *m_channel;
    AllAccountsRun *m_run;
    QList<Page> m_pages;
};
