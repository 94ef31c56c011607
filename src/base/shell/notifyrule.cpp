#include "shell/notifyrule.h"

namespace {
// Notification servers may read the body as markup, and a page or the portal
// chooses these texts.
constexpr int kMaxDetail = 120;

QString plainDetail(const QString &detail)
{
    QString text = detail.simplified();
    if (text.size() > kMaxDetail)
        text = text.left(kMaxDetail - 1) + QChar(0x2026);
    return text.toHtmlEscaped();
}
}

bool NotifyRule::shouldNotify(bool visible, bool minimized, Event event)
{
    Q_UNUSED(event);
    return !visible || minimized;
}

NotifyRule::Notice NotifyRule::notice(Event event, const QString &detail)
{
    const QString shown = plainDetail(detail);
    switch (event) {
    case Event::SignedOutElsewhere:
        return {QStringLiteral("账号已退出"),
                shown.isEmpty() ? QStringLiteral("您的账号已在别处登录，本机已退出登录。") : shown};
    case Event::UpdateFound:
        return {QStringLiteral("发现新版本"), QStringLiteral("Korvo游戏盒有新版本可以更新，打开窗口即可查看。")};
    case Event::TabCameBack:
        return {QStringLiteral("页面已恢复"),
                shown.isEmpty() ? QStringLiteral("一个页面崩溃后已重新加载。")
                                : QStringLiteral("“%1”崩溃后已重新加载。").arg(shown)};
    }
    return {};
}
