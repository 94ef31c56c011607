#pragma once

#include <QTest>
#include <QVariant>
#include <QWebEnginePage>

#include <memory>
#include <optional>

// Runs script in page and waits up to timeoutMs for its answer; nullopt when
// none came. An answer that comes after the wait has given up lands in state
// the callback shares, never in the frame of a caller that has returned.
inline std::optional<QVariant> pageScriptAnswer(QWebEnginePage *page, const QString &script, int timeoutMs)
{
    auto answer = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [answer](const QVariant &value) { *answer = value; });
    return QTest::qWaitFor([&answer] { return answer->has_value(); }, timeoutMs) ? *answer : std::nullopt;
}
