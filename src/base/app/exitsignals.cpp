#include "app/exitsignals.h"

#include <QDebug>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Read end, write end; made once and kept for the life of the process.
int g_pipe[2] = {-1, -1};

extern "C" void onEndingSignal(int number)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // A full pipe already holds a request to end.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

bool openPipe()
{
    return g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) == 0;
}
}

ExitSignals::ExitSignals(QObject *parent)
    : QObject(parent)
{
    if (!openPipe()) {
        qWarning() << "ExitSignals: no pipe; termination signals end the program at once";
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ExitSignals::readPipe);
    install();
}

// The handlers stay: the pipe outlives the watcher, and what it writes then is never read.
ExitSignals::~ExitSignals() = default;

void ExitSignals::install()
{
    struct sigaction action = {};
    action.sa_handler = onEndingSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int number : kEndingSignals) {
        if (::sigaction(number, &action, nullptr) != 0)
            qWarning() << "ExitSignals: cannot handle signal" << number;
    }
}

void ExitSignals::readPipe()
{
    unsigned char bytes[16];
    int first = 0;
    while (::read(g_pipe[0], bytes, sizeof(bytes)) > 0) {
        if (!first)
            first = bytes[0];
    }
    if (!first)
        return;
    qDebug() << "ExitSignals: ending on signal" << first;
    emit signalReceived(first);
}
