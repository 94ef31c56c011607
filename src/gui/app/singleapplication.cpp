#include "app/singleapplication.h"

#include "app/instanceguard.h"

#include <QWidget>

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
