// A player's session in the real main window, against the stand-in portal
// (KORVO_PORTAL_HOST, KORVO_H5_HOST and KORVO_APP_DIR from
// scripts/bench-session.sh): the login from the button to the left page
// showing the nickname, the window back from the tray after a plain hide and
// after the boss key (request to window exposed), then four game tabs of two
// accounts. Prints one "figure NAME VALUE" line per measurement, one
// "page ACCOUNT URL" line per game view and the window's "size WxH" for the
// yardsticks, then "ready", and
// keeps running until it is killed (for the memory and idle figures).
#include "app/appidentity.h"
#include "shell/bossmute.h"
#include "web/enginearguments.h"
#include "shell/gameopener.h"
#include "shell/gamesessions.h"
#include "web/gametab.h"
#include "account/loginform.h"
#include "shell/mainframe.h"
#include "net/session.h"
#include "account/sqlite.h"
#include "web/tabwidget.h"
#include "shell/trayicon.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <functional>

namespace {
// Runs the event loop until done() holds or the time is up.
bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void pause(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void figure(const char *name, double value)
{
    std::printf("figure %s %.1f\n", name, value);
    std::fflush(stdout);
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "bench_session: %s\n", what);
    std::exit(1);
}

// Whether the page's text holds the words; asked of the page, answered later.
class PageText
{
public:
    PageText(WebView *view, const QString &words) : m_view(view), m_words(words) {}
    // Milliseconds from now until the page shows the words, or -1.
    qint64 timeUntilShown(const std::function<void()> &start, int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        start();
        bool asking = false;
        bool shown = false;
        qint64 at = -1;
        const bool done = waitFor(
            [&] {
                if (!asking) {
                    asking = true;
                    const QString script = QStringLiteral("document.body ? document.body.innerText : ''");
                    m_view->page()->runJavaScript(script, [&](const QVariant &text) {
                        asking = false;
                        if (!shown && text.toString().contains(m_words)) {
                            shown = true;
                            at = clock.elapsed();
                        }
                    });
                }
                return shown;
            },
            timeoutMs);
        // An answer still on its way would find the locals gone.
        waitFor([&] { return !asking; }, 5000);
        return done ? at : -1;
    }

private:
    WebView *m_view;
    QString m_words;
};

// Milliseconds from the request to the window being exposed again.
double backFromTray(MainFrame *frame, TrayIcon *tray, const std::function<void()> &hide)
{
    hide();
    if (!waitFor([frame] { return !frame->windowHandle()->isExposed(); }, 5000))
        fail("the window stayed in sight");
    pause(300);
    QElapsedTimer clock;
    clock.start();
    emit tray->signalShowWindow();
    if (!waitFor([frame] { return frame->windowHandle()->isExposed(); }, 5000))
        fail("the window did not come back");
    return clock.nsecsElapsed() / 1e6;
}

void logIn(MainFrame *frame)
{
    LoginForm *form = frame->loginForm();
    form->findChild<QComboBox *>(QStringLiteral("login_AccountTxt"))->setEditText(QStringLiteral("korvo"));
    form->findChild<QLineEdit *>(QStringLiteral("login_PasswordTxt"))->setText(QStringLiteral("korvo123"));
    auto *left = frame->tabWidget()->findChild<WebView *>(QStringLiteral("homeLeftView"));
    PageText nickname(left, QStringLiteral("科沃玩家"));
    const qint64 ms = nickname.timeUntilShown(
        [form] { form->findChild<QPushButton *>(QStringLiteral("login_LoginBtn"))->click(); }, 15000);
    if (ms < 0)
        fail("the left page never showed the nickname");
    figure("login_to_nickname_ms", double(ms));
}

// The demo user's small account, stored as the manager stores it.
void storeSmallAccount(MainFrame *frame)
{
    const QString digest = QString::fromLatin1(QCryptographicHash::hash("xiaohao123", QCryptographicHash::Md5).toHex());
    frame->sqlite()->insert({{QStringLiteral("user_id"), QStringLiteral("10003")},
                             {QStringLiteral("user_name"), QStringLiteral("korvo_xh1")},
                             {QStringLiteral("user_pass"), digest},
                             {QStringLiteral("main_id"), QStringLiteral("10001")},
                             {QStringLiteral("is_main"), QStringLiteral("0")}});
}

GameTab play(const QString &account, const QString &host, const QString &server)
{
    GameTab game;
    game.kind = QStringLiteral("play");
    game.account = account;
    game.host = host;
    game.serverId = server;
    return game;
}

// Two servers as the main account, two as its small account; waits until
// every game view has loaded and prints its address.
void openFourGames(MainFrame *frame)
{
    TabWidget *tabs = frame->tabWidget();
    frame->gameSessions()->opener()->open({play(QStringLiteral("korvo"), QStringLiteral("xianxia"), QStringLiteral("101")),
                                           play(QStringLiteral("korvo"), QStringLiteral("longcheng"), QStringLiteral("204")),
                                           play(QStringLiteral("korvo_xh1"), QStringLiteral("xianxia"), QStringLiteral("102")),
                                           play(QStringLiteral("korvo_xh1"), QStringLiteral("longcheng"), QStringLiteral("205"))});
    // Each view is watched from the moment it appears: a game page takes
    // longer to load than a turn of this loop.
    QList<WebView *> views;
    QSet<WebView *> loaded;
    const auto allLoaded = [&] {
        for (int index = 1; index < tabs->count(); ++index) {
            auto *view = tabs->widget(index)->findChild<WebView *>(QStringLiteral("hostwebview"));
            if (view && !views.contains(view)) {
                views << view;
                QObject::connect(view, &QWebEngineView::loadFinished, view, [&loaded, view] { loaded << view; });
            }
        }
        return loaded.size() == 4;
    };
    if (!waitFor(allLoaded, 60000))
        fail("four game tabs did not open and load");
    for (WebView *view : views) {
        QObject::disconnect(view, &QWebEngineView::loadFinished, view, nullptr);
        const bool small = view->page()->profile() != frame->services().profile;
        std::printf("page %s %s\n", small ? "small" : "main", qPrintable(view->url().toString()));
    }
    std::fflush(stdout);
}
}

int main(int argc, char *argv[])
{
    EngineArguments arguments(argc, argv);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QApplication app(arguments.argc(), arguments.argv());
    QGuiApplication::setQuitOnLastWindowClosed(false);
    AppIdentity::apply();

    MainFrame frame;
    frame.show();
    if (!waitFor([&frame] { return frame.windowHandle() && frame.windowHandle()->isExposed(); }, 10000))
        fail("the window never showed");
    pause(2000);
    logIn(&frame);
    pause(1000);

    auto *tray = frame.findChild<TrayIcon *>();
    for (int i = 0; i < 7; ++i)
        figure("back_from_tray_ms", backFromTray(&frame, tray, [&frame] { frame.hide(); }));
    for (int i = 0; i < 7; ++i)
        figure("back_after_boss_key_ms", backFromTray(&frame, tray, [&frame] { frame.bossMute()->hideWindow(); }));

    storeSmallAccount(&frame);
    openFourGames(&frame);
    // Once more with five tabs and their sound to restore.
    for (int i = 0; i < 7; ++i)
        figure("back_after_boss_key_five_tabs_ms", backFromTray(&frame, tray, [&frame] { frame.bossMute()->hideWindow(); }));
    std::printf("size %dx%d\nready\n", frame.width(), frame.height());
    std::fflush(stdout);
    return app.exec();
}
