#include "singleapplication.h"

#include "instanceguard.h"

#include <QDebug>
#include <QFileInfo>
#include <QWidget>

std::unique_ptr<InstanceGuard> SingleApplication::claimOrHandOver(int argc, char **argv)
{
    // Copies of one program meet under its file name.
    const QString name = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    auto guard = std::make_unique<InstanceGuard>(name);
    if (guard->claim() == InstanceGuard::First)
        return guard;
    // The first copy does not interpret the text; it only marks the wake-up.
    if (guard->handOver(argc >= 2 ? QByteArray(argv[argc - 1]) : QByteArray()))
        return nullptr;
    // A first copy that never answers must not leave the user without a window.
    qWarning() << "SingleApplication: the running copy did not answer; starting anyway";
    return guard;
}

SingleApplication::SingleApplication(int &argc, char **argv, std::unique_ptr<InstanceGuard> guard)
    : QApplication(argc, argv)
    , m_guard(guard.release())
{
    m_guard->setParent(this);
    m_guard->serve();
    connect(m_guard, &InstanceGuard::messageReceived, this, &SingleApplication::newLocalConnection);
}

QString SingleApplication::serverName() const
{
    return m_guard->socketPath();
}

void SingleApplication::newLocalConnection(const QByteArray &text)
{
    if (w) {
        w->raise();
        w->activateWindow();
        w->setWindowState((w->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        w->show();
    }
    // Whoever listens decides what the text means.
    if (!text.isEmpty())
        emit signalMessageReceived(QString::fromUtf8(text));
}
