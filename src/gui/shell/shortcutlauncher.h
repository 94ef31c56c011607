#pragma once

#include "web/gametab.h"

#include <QList>
#include <QObject>
#include <QPointer>

class GameOpener;
class LoginService;
class QWidget;
class TabWidget;
struct AppServices;
class QMessageBox;

// Opens the game a desktop shortcut names, as the account it names: from the
// command line of this start or from a later start that handed its address
// over. Before a main account has logged in the game waits for the login.
// Any page or program can hand the desktop such an address, so one opens at
// once only with the token of the client's own shortcuts (ShortcutToken);
// any other waits for the user's yes. Invalid ones are told once, modal to nothing.
class ShortcutLauncher : public QObject
{
    Q_OBJECT
public:
    ShortcutLauncher(const AppServices &services, TabWidget *tabs, LoginService *login, QWidget *window,
                     GameOpener *opener, QObject *parent = nullptr);

    int pendingCount() const { return m_pending.size(); }
    // The open question about an address from outside; null when none.
    QMessageBox *question() const;

public slots:
    // Any other text (a plain wake-up) is left alone.
    void openAddress(const QString &text);
    void handlerMainLogin();

private:
    void openFromCommandLine();
    void askFirst(const GameTab &game);
    void open(const GameTab &game);

    const AppServices &m_services;
    TabWidget *m_tabs;
    QWidget *m_window;
    GameOpener *m_opener;
    QList<GameTab> m_pending;
    QPointer<QMessageBox> m_question;
    QPointer<QMessageBox> m_invalidNotice;
};
