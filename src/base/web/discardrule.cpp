#include "web/discardrule.h"

namespace {
// Longer titles are cut; the status bar shares its line with the notice.
constexpr int kTitleChars = 30;
}

bool DiscardRule::mayDiscard(const Tab &tab)
{
    return tab.kind == TabContext::Web && !tab.shown && !tab.discarded;
}

int DiscardRule::pick(qint64 ceilingMiB, qint64 totalPssKiB, const QList<Tab> &tabs)
{
    if (ceilingMiB <= 0 || totalPssKiB < 0 || totalPssKiB <= ceilingMiB * 1024)
        return -1;
    int chosen = -1;
    for (int index = 0; index < tabs.size(); ++index) {
        const Tab &tab = tabs.at(index);
        if (mayDiscard(tab) && (chosen < 0 || tab.lastShownMs < tabs.at(chosen).lastShownMs))
            chosen = index;
    }
    return chosen;
}

QString DiscardRule::notice(const QString &title)
{
    QString line = title.simplified();
    if (line.isEmpty())
        line = QStringLiteral("无标题");
    else if (line.size() > kTitleChars)
        // Never between the two halves of a character outside the BMP.
        line = line.left(line.at(kTitleChars - 1).isHighSurrogate() ? kTitleChars - 1 : kTitleChars)
            + QStringLiteral("…");
    return QStringLiteral("内存超过上限，已释放网页：") + line;
}
