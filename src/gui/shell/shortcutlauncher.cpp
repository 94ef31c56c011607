#include "shell/shortcutlauncher.h"

#include "shell/gameopener.h"
#include "account/loginservice.h"
#include "app/appservices.h"
#include "app/noticebox.h"
#include "net/session.h"
#include "app/extras.h"
#include "web/shortcutaddress.h"
#include "web/shortcuttoken.h"
#include "shell/singleapplication.h"
#include "web/tabwidget.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>

ShortcutLauncher::ShortcutLauncher(const AppServices &services, TabWidget *tabs, LoginService *login, QWidget *window,
                                   GameOpener *opener, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_tabs(tabs)
    , m_window(window)
    , m_opener(opener)
{
    connect(login, &LoginService::signalLoggedIn, this, &ShortcutLauncher::handlerMainLogin);
    if (auto *app = qobject_cast<SingleApplication *>(QCoreApplication::instance()))
        connect(app, &SingleApplication::signalMessageReceived, this, &ShortcutLauncher::openAddress);
    // Once the window is built and any automatic login is under way.
    QTimer::singleShot(0, this, &ShortcutLauncher::openFromCommandLine);
}

void ShortcutLauncher::openFromCommandLine()
{
    for (const QString &argument : QCoreApplication::arguments().mid(1)) {
        if (ShortcutAddress::looksLikeAddress(argument))
            openAddress(argument);
    }
}

void ShortcutLauncher::openAddress(const QString &text)
{
    if (!ShortcutAddress::looksLikeAddress(text) || !Extras::enabled(m_services.settings, Extras::Shortcuts))
        return;
    GameTab game;
    QString token;
    if (!ShortcutAddress::parse(text, &game, &token)) {
        NoticeBox::tell(m_window, QStringLiteral("快捷方式的地址无效，无法打开游戏"), m_invalidNotice);
        return;
    }
    if (ShortcutToken::matches(m_services.settings, token))
        open(game);
    else
        askFirst(game);
}

QMessageBox *ShortcutLauncher::question() const
{
    return m_question.data();
}

void ShortcutLauncher::askFirst(const GameTab &game)
{
    // A newer address replaces the question about an older one.
    if (m_question)
        m_question->close();
    const QString what = game.serverId.isEmpty() ? game.host : QStringLiteral("%1 %2服").arg(game.host, game.serverId);
    const QString text = QStringLiteral("有网页或其他程序请求以账号“%1”打开游戏 %2。\n是否打开？").arg(game.account, what);
    m_question = NoticeBox::ask(m_window, text, [this, game] { open(game); });
}

void ShortcutLauncher::open(const GameTab &game)
{
    if (m_services.session->isLoggedIn()) {
        m_opener->open({game});
        return;
    }
    m_pending.append(game);
    m_tabs->checkLogin();
}

void ShortcutLauncher::handlerMainLogin()
{
    if (m_pending.isEmpty())
        return;
    // The login closes every tab but the home tab after this signal: open after it.
    QTimer::singleShot(0, this, [this] {
        const QList<GameTab> games = m_pending;
        m_pending.clear();
        m_opener->open(games);
    });
}
