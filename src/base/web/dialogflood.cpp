#include "web/dialogflood.h"

DialogFlood::Verdict DialogFlood::asked(qint64 nowMs) const
{
    if (m_stopped)
        return Silence;
    if (m_lastAnsweredMs >= 0 && nowMs - m_lastAnsweredMs < kQuickMs)
        return ShowWithOffer;
    return Show;
}
