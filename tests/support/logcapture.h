#pragma once

#include <QString>
#include <QStringList>

// Collects every debug, info and warning line of the process, from any thread,
// while it lives; the lines still go to the previous handler.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();

    QStringList lines() const;
    // The lines that contain text; empty when the secret never reached the log.
    QStringList linesContaining(const QString &text) const;
};
