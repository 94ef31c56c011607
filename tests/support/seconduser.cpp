#include "seconduser.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

namespace {
const passwd *entry()
{
    return ::getpwnam(SecondUser::name().toLatin1().constData());
}

QStringList asUser(const QString &program, const QStringList &arguments)
{
    return QStringList{QStringLiteral("--reuid=%1").arg(SecondUser::uid()),
                       QStringLiteral("--regid=%1").arg(SecondUser::gid()), QStringLiteral("--clear-groups"),
                       QStringLiteral("--"), program}
        + arguments;
}
}

QString SecondUser::name()
{
    return QStringLiteral("korvo-peer");
}

bool SecondUser::ensure(QString *whyNot)
{
    if (::geteuid() != 0) {
        *whyNot = QStringLiteral("only root can create a second user and act as it");
        return false;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty()) {
        *whyNot = QStringLiteral("setpriv (util-linux) is missing");
        return false;
    }
    if (!entry()) {
        // Another test program may be adding it at the same moment: look again after.
        QProcess::execute(QStringLiteral("useradd"), {QStringLiteral("--system"), QStringLiteral("--no-create-home"),
                                                      QStringLiteral("--user-group"), QStringLiteral("--shell"),
                                                      QStringLiteral("/usr/sbin/nologin"), name()});
    }
    if (!entry()) {
        *whyNot = QStringLiteral("useradd could not create ") + name();
        return false;
    }
    return true;
}

uint SecondUser::uid()
{
    const passwd *user = entry();
    return user ? user->pw_uid : 0;
}

uint SecondUser::gid()
{
    const passwd *user = entry();
    return user ? user->pw_gid : 0;
}

int SecondUser::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    start(process, program, arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

void SecondUser::start(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.start(QStringLiteral("setpriv"), asUser(program, arguments));
}

bool SecondUser::chown(const QString &path)
{
    return ::chown(QFile::encodeName(path).constData(), uid(), gid()) == 0;
}
