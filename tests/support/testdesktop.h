#pragma once

#include <QDBusMessage>
#include <QStringList>

// Questions to the test desktop (support/traydesktop.cpp) on the private
// session bus a desktop test runs on.
QDBusMessage desktopCall(const char *method);
// How many desktop notifications it received; 9999 when it does not answer.
uint notifications();
// Application, summary and body of the last one; empty when none.
QStringList lastNotification();
