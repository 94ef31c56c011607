#include "singleapplication.h"

#include "instanceguard.h"

#include <QDebug>
#include <QFileInfo>
#include <QWidget>

SingleApplication::SingleApplication(int &argc, char **argv)
    : QApplication(argc, argv)
    , m_guard(new InstanceGuard(QFileInfo(QCoreApplication::applicationFilePath()).fileName(), this))
{
    initLocalConnection();
}

QString SingleApplication::serverName() const
{
    return m_guard->socketPath();
}

void SingleApplication::initLocalConnection()
{
    if (m_guard->claim() == InstanceGuard::First) {
        connect(m_guard, &InstanceGuard::messageReceived, this, &SingleApplication::newLocalConnection);
        return;
    }
    // The first copy does not interpret the text; it only marks the wake-up.
    const QStringList args = QCoreApplication::arguments();
    m_running = m_guard->handOver(args.size() >= 2 ? args.last().toUtf8() : QByteArray());
    // A first copy that never answers must not leave the user without a window.
    if (!m_running)
        qWarning() << "SingleApplication: the running copy did not answer; starting anyway";
}

void SingleApplication::newLocalConnection()
{
    if (!w)
        return;
    w->raise();
    w->activateWindow();
    w->setWindowState((w->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    w->show();
}
