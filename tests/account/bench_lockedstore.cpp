// Figures for a database that another program holds locked: how long the main
// window takes from construction to shown, and the longest stall of one
// keystroke in the login dialog's account field. Prints one line per figure.
// Run under a display (Xvfb): build/bin/bench_lockedstore
#include "account/loginform.h"
#include "shell/mainframe.h"
#include "account/sqlite.h"
#include "sqlitelock.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QtTest>

#include <cstdio>

namespace {
void rememberOneAccount()
{
    Sqlite store;
    store.insert({{QStringLiteral("user_id"), QStringLiteral("10001")},
                  {QStringLiteral("user_name"), QStringLiteral("korvo")},
                  {QStringLiteral("user_pass"), QStringLiteral("0123456789abcdef0123456789abcdef")},
                  {QStringLiteral("is_main"), QStringLiteral("1")},
                  {QStringLiteral("remember_me"), QStringLiteral("1")},
                  {QStringLiteral("login_time"), QStringLiteral("1")}});
}

qint64 longestKeystroke(QLineEdit *field, const QString &text)
{
    qint64 longest = 0;
    for (const QChar c : text) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(field, c.toLatin1());
        longest = qMax(longest, timer.elapsed());
    }
    return longest;
}
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestAppDir dir;
    rememberOneAccount();
    SqliteLock lock(dir.filePath(QStringLiteral("vmgamebox.db")));
    if (!lock.isHeld()) {
        std::printf("sqlite3 could not take the lock\n");
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    auto *frame = new MainFrame;
    frame->show();
    if (!QTest::qWaitForWindowExposed(frame))
        std::printf("the main window was never exposed\n");
    std::printf("main window under a locked database, construct to shown: %lld ms\n",
                static_cast<long long>(timer.elapsed()));

    LoginForm *form = frame->loginForm();
    form->show();
    auto *combo = form->findChild<QComboBox *>(QStringLiteral("login_AccountTxt"));
    combo->setEditText(QString());
    std::printf("login dialog under a locked database, longest of 5 keystrokes: %lld ms\n",
                static_cast<long long>(longestKeystroke(combo->lineEdit(), QStringLiteral("korvo"))));
    lock.release();
    delete frame;
    return 0;
}
