#include "web/pagezoom.h"

#include "app/settings.h"

#include <QtGlobal>
#include <array>
#include <cmath>

namespace {
constexpr std::array<double, 17> levels = {0.25, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                                            1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0, 5.0};
// A factor this close to a level is on it (stored factors are rounded text).
constexpr double onLevel = 0.005;
}

double PageZoom::step(double factor, int direction)
{
    if (direction > 0) {
        for (const double level : levels) {
            if (level > factor + onLevel)
                return level;
        }
        return qMin(factor, maximum);
    }
    for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
        if (*it < factor - onLevel)
            return *it;
    }
    return qMax(factor, minimum);
}

double PageZoom::stored(const Settings *settings, const QString &host)
{
    if (host.isEmpty() || !settings)
        return 1.0;
    bool ok = false;
    const double factor = settings->value(key(host)).toString().toDouble(&ok);
    if (!ok || !std::isfinite(factor) || factor < minimum || factor > maximum)
        return 1.0;
    return factor;
}

void PageZoom::store(Settings *settings, const QString &host, double factor)
{
    if (host.isEmpty() || !settings)
        return;
    if (std::abs(factor - 1.0) < onLevel)
        settings->remove(key(host));
    else
        settings->setValue(key(host), QString::number(factor, 'g', 3));
}

QString PageZoom::key(const QString &host)
{
    // A host may carry a port; "/" and "\" would make a group of the key.
    QString name = host.toLower();
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return QStringLiteral("zoom/") + name;
}
