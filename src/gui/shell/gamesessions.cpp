#include "shell/gamesessions.h"

#include "shell/gameopener.h"
#include "shell/gametabmenu.h"
#include "shell/mainframe.h"
#include "app/noticebox.h"
#include "shell/sessionrestore.h"
#include "shell/shortcutlauncher.h"

GameSessions::GameSessions(MainFrame *frame, StatusBar *bar)
    : QObject(frame)
    , m_opener(new GameOpener(frame->tabWidget(), frame->sqlite(), this))
    , m_restore(new SessionRestore(frame, bar, m_opener, this))
    , m_launcher(new ShortcutLauncher(frame, m_opener, this))
    , m_tabMenu(new GameTabMenu(frame->tabWidget(), frame->settings(), this))
{
    connect(m_opener, &GameOpener::signalFailed, frame, [frame](const QString &message) {
        NoticeBox::show(frame, message);
    });
}

void GameSessions::remember()
{
    m_restore->remember();
}
