#include "web/newtabgate.h"

NewTabGate::Verdict NewTabGate::ask(qint64 nowMs, qint64 lastInputMs)
{
    if (lastInputMs < 0 || nowMs - lastInputMs > kGestureMs)
        return NoGesture;
    if (lastInputMs != m_input) {
        m_input = lastInputMs;
        m_openedForInput = 0;
    }
    while (!m_opened.isEmpty() && nowMs - m_opened.first() >= kRateWindowMs)
        m_opened.removeFirst();
    if (m_openedForInput >= kMaxPerInput || m_opened.size() >= kMaxPerWindow)
        return TooMany;
    ++m_openedForInput;
    m_opened.append(nowMs);
    return Open;
}

QString NewTabGate::blockedText(Verdict verdict, int count)
{
    const QString why = verdict == TooMany ? QStringLiteral("打开的标签页过多") : QStringLiteral("未经点击");
    return QStringLiteral("已阻止页面打开 %1 个新标签页（%2）").arg(count).arg(why);
}
