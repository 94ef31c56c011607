#pragma once

#include <QString>
#include <QStringList>

class QProcess;

// A second local user, for tests about what another user can see or do. It is
// created with useradd the first time a test asks for it (the tests run as
// root in CI) and never removed, since test programs run in parallel.
class SecondUser
{
public:
    static QString name();   // "korvo-peer"
    // Whether the user is there (created if need be); otherwise why not.
    static bool ensure(QString *whyNot);
    static uint uid();
    static uint gid();

    // Runs the program as the second user, without root's groups, and waits;
    // its exit code, or -1 when it did not run to its end.
    static int run(const QString &program, const QStringList &arguments);
    // Starts the program as the second user.
    static void start(QProcess &process, const QString &program, const QStringList &arguments);
    // Gives the path to the second user.
    static bool chown(const QString &path);
};
