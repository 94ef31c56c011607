#pragma once

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace Ui { class SmallAccountFormAdd; }

class HttpRequest;
class LoginService;
class TabWidget;
class QMessageBox;

// Attaches a portal account to the logged-in main account as a small account.
// A known account is checked by a login with the typed password; an unknown
// one switches the dialog into registration mode (the confirmation row
// shows), where the name is registered as a new account of the main account.
// Either way the account is stored and the manager told its name.
class SmallAccountFormAdd : public QWidget
{
    Q_OBJECT
public:
    SmallAccountFormAdd(TabWidget *tabs, QWidget *parent);
    ~SmallAccountFormAdd() override;

    bool isRegistering() const;
    // The registration's request and the check's login.
    HttpRequest *request() const { return m_request; }
    LoginService *check() const { return m_check; }

signals:
    void signalUpdateSmallForm(QString name);

public slots:
    void handlerAddSmallAccount();
    void handlerRegisterSmallAccount(QByteArray reply);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void cancel();
    void connectCheck();
    void startRequest();
    void offerRegistration(const QString &message);
    void endRequest();
    void finishStored(QString name);
    void showNotice(const QString &text);
    QString mainCookie(const char *name) const;

    Ui::SmallAccountFormAdd *ui;
    HttpRequest *m_request;
    LoginService *m_check;
    TabWidget *m_tabs;
    QPointer<QMessageBox> m_notice;
    QString m_pendingName;
    QString m_pendingHash;
    bool m_waiting = false;
};
