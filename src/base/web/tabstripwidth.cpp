#include "web/tabstripwidth.h"

#include <algorithm>

int TabStripWidth::fitting(int managerWidth)
{
    // Room left of the title buttons and right of the login and VIP buttons.
    return (managerWidth - 360) / tabPitch;
}

int TabStripWidth::barWidth(int managerWidth, int count)
{
    const int fit = fitting(managerWidth);
    return fit < count ? fit * tabPitch : count * tabPitch + 20;
}

int TabStripWidth::tabWidth(int managerWidth, int count)
{
    if (count <= 0 || fitting(managerWidth) >= count)
        return 0;
    return std::max(minTabWidth, barWidth(managerWidth, count) / count - tabChrome);
}

QString TabStripWidth::styleSheet(int managerWidth, int count)
{
    QString sheet = QStringLiteral("QTabWidget#mainTabWidget::tab-bar{width:%1px;}")
                        .arg(barWidth(managerWidth, count));
    if (const int tab = tabWidth(managerWidth, count))
        sheet += QStringLiteral("QTabWidget#mainTabWidget > QTabBar::tab{width:%1px;}").arg(tab);
    return sheet;
}
