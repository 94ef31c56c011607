#include "app/startupprobe.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

StartupProbe::StartupProbe(QObject *parent)
    : QObject(parent)
{
}

void StartupProbe::watchIfAsked(QObject *window)
{
    if (qEnvironmentVariableIsEmpty("KORVO_STARTUP_PROBE"))
        return;
    auto *probe = new StartupProbe(window);
    for (const char *name : {"homePageWebView", "homeLeftView"}) {
        if (QObject *view = window->findChild<QObject *>(QLatin1String(name))) {
            connect(view, SIGNAL(loadFinished(bool)), probe, SLOT(viewLoaded()));
            ++probe->m_waiting;
        }
    }
}

void StartupProbe::viewLoaded()
{
    QObject *view = sender();
    disconnect(view, nullptr, this, nullptr);
    if (--m_waiting > 0)
        return;
    std::printf("loaded %lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
    std::fflush(stdout);
    // "stay" keeps the program running, for the memory figures.
    if (qgetenv("KORVO_STARTUP_PROBE") != "stay")
        QCoreApplication::quit();
}
