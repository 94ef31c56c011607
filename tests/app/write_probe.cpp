// Writes without end what a client writes most: an account's row after a
// login and the settings file, each time with a new number, so that a test
// can kill it anywhere and check that each row and the file are whole. Says
// "ready" once the first round is written.
#include "app/settings.h"
#include "account/sqlite.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Settings settings;
    Sqlite store;
    for (int round = 0;; ++round) {
        const QString n = QString::number(round);
        // Nick and e-mail carry the same number: a row with two numbers is torn.
        store.saveLogin({{QStringLiteral("user_id"), QString::number(100 + round % 7)},
                         {QStringLiteral("user_name"), QStringLiteral("player%1").arg(round % 7)},
                         {QStringLiteral("user_nick"), QStringLiteral("n") + n},
                         {QStringLiteral("user_email"), n + QStringLiteral("@korvo.test")},
                         {QStringLiteral("user_pass"), QStringLiteral("0123456789abcdef0123456789abcdef")}});
        settings.setValue(QStringLiteral("probe/first"), round);
        settings.setValue(QStringLiteral("probe/second"), round);
        settings.sync();
        if (round == 0) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
    }
}
