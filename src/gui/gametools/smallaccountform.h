#pragma once

#include "net/identity.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace Ui { class SmallAccountForm; }

class HttpRequest;
class TabWidget;
class QMessageBox;
class QPushButton;
class SmallAccountFormAdd;
class LoginService;
class Sqlite;
struct CollectedServer;

// The small-account manager: picks one of the main account's small accounts,
// lists the game servers collected for it, plays one of them as that account
// (in its own web profile), removes a collected server or the account, and
// opens the add dialog. Made anew each time the user asks for it.
class SmallAccountForm : public QWidget
{
    Q_OBJECT
public:
    SmallAccountForm(TabWidget *tabs, QWidget *parent);
    ~SmallAccountForm() override;

    // A new manager over the main window, once the user is logged in; null otherwise.
    static SmallAccountForm *openOver(TabWidget *tabs, QWidget *owner);
    SmallAccountFormAdd *addForm() const { return m_addForm; }
    LoginService *playLogin() const { return m_login; }

public slots:
    void handlerUpdatePannel(QString name);
    void handlerAccountChanged(QString text);
    void handlerUpdateGameList(QByteArray reply);
    void handlerSmallAccountPlayGame(Identity who);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setupForm();
    void refreshPanel(const QString &name);
    void refreshSideBars();
    void hideTable();
    void addServerRow(const CollectedServer &server);
    QPushButton *rowButton(const QString &icon);
    void playServer(QPushButton *button);
    void askDeleteCollection(QPushButton *button);
    void deleteCollection(QPointer<QPushButton> button);
    void askRemoveAccount();
    void showNotice(const QString &text);
    QString mainUserId() const;
    Sqlite *store() const;

    Ui::SmallAccountForm *ui;
    SmallAccountFormAdd *m_addForm;
    TabWidget *m_tabs;
    LoginService *m_login;
    HttpRequest *m_listRequest;
    QPointer<QMessageBox> m_notice;
    QString m_serverId;
    QString m_gameHost;
    QString m_gameId;
};
