#include "shell/singleapplication.h"

#include "app/instanceguard.h"
#include "app/wakemessage.h"
#include "shell/windowactivator.h"

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

void SingleApplication::newLocalConnection(const QByteArray &message)
{
    const WakeMessage wake = WakeMessage::parse(message);
    if (wake.isToggle()) {
        emit signalToggleRequested();
        return;
    }
    if (w)
        WindowActivator::bringToFront(w, wake.token);
    // Whoever listens decides what the text means.
    if (!wake.text.isEmpty())
        emit signalMessageReceived(QString::fromUtf8(wake.text));
}
