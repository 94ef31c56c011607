#pragma once

#include <QtGlobal>

// The dialogs (alert, confirm, prompt) of one page. A page that asks again
// soon after its last box was answered gets the offer to stop its dialogs;
// once stopped, its dialogs are answered at once without a box.
class DialogFlood
{
public:
    enum Verdict { Show, ShowWithOffer, Silence };

    // A dialog that follows the last one's answer within this time is a flood.
    static constexpr qint64 kQuickMs = 3000;

    // A dialog asked at nowMs (a monotonic clock).
    Verdict asked(qint64 nowMs) const;
    // Its box was answered at nowMs.
    void answered(qint64 nowMs) { m_lastAnsweredMs = nowMs; }
    void stop() { m_stopped = true; }
    bool stopped() const { return m_stopped; }

private:
    qint64 m_lastAnsweredMs = -1;
    bool m_stopped = false;
};
