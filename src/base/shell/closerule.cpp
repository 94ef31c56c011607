#include "shell/closerule.h"

#include <QVariant>

CloseRule::Action CloseRule::decide(const QVariant &exitType, bool trayAvailable)
{
    if (exitType.isNull())
        return Action::Ask;
    if (exitType.toString() == QLatin1String("exit"))
        return Action::Quit;
    return trayAvailable ? Action::HideToTray : Action::Minimize;
}
