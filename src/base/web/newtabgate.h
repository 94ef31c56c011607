#pragma once

#include <QList>
#include <QString>

// Whether a page may open one more tab. A new tab needs the user's input
// (a click or a key) a short time before; one input opens a few tabs at
// most, and over any minute a page gets a limited number however often the
// user clicks.
class NewTabGate
{
public:
    enum Verdict { Open, NoGesture, TooMany };

    // How long an input counts as the reason for a tab.
    static constexpr qint64 kGestureMs = 5000;
    static constexpr qint64 kRateWindowMs = 60 * 1000;
    static constexpr int kMaxPerInput = 5;
    static constexpr int kMaxPerWindow = 20;

    // nowMs and lastInputMs on one monotonic clock; lastInputMs < 0 for none.
    Verdict ask(qint64 nowMs, qint64 lastInputMs);

    // What the user is told after count tabs were refused, the last for this verdict.
    static QString blockedText(Verdict verdict, int count);

private:
    qint64 m_input = -1;
    int m_openedForInput = 0;
    QList<qint64> m_opened;
};
