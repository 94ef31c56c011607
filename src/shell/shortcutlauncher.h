#pragma once

#include "gametab.h"

#include <QList>
#include <QObject>

class GameOpener;
class MainFrame;

// Opens the game a desktop shortcut names, as the account it names: from the
// command line of this start or from a later start that handed its address
// over. Before a main account has logged in the game waits for the login.
class ShortcutLauncher : public QObject
{
    Q_OBJECT
public:
    ShortcutLauncher(MainFrame *frame, GameOpener *opener, QObject *parent = nullptr);

    int pendingCount() const { return m_pending.size(); }

public slots:
    // Any other text (a plain wake-up) is left alone.
    void openAddress(const QString &text);
    void handlerMainLogin();

private:
    void openFromCommandLine();

    MainFrame *m_frame;
    GameOpener *m_opener;
    QList<GameTab> m_pending;
};
