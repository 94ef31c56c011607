#include "logcapture.h"

#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex captureMutex;
QStringList captured;
QtMessageHandler previous = nullptr;

void capture(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    QtMessageHandler next;
    {
        QMutexLocker lock(&captureMutex);
        captured << message;
        next = previous;
    }
    if (next)
        next(type, context, message);
}
}

LogCapture::LogCapture()
{
    QMutexLocker lock(&captureMutex);
    captured.clear();
    previous = qInstallMessageHandler(capture);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(previous);
    QMutexLocker lock(&captureMutex);
    previous = nullptr;
    captured.clear();
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&captureMutex);
    return captured;
}

QStringList LogCapture::linesContaining(const QString &text) const
{
    return lines().filter(text);
}
