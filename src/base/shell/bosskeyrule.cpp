#include "shell/bosskeyrule.h"

#include <QStringList>

namespace {
constexpr Qt::KeyboardModifiers kChordModifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
constexpr Qt::KeyboardModifiers kAllModifiers = kChordModifiers | Qt::ShiftModifier;

const QString kBindCommand = QStringLiteral("可在桌面的键盘设置中绑定命令 \"KorvoClient --toggle\"。");

bool isFunctionKey(int key)
{
    return key >= Qt::Key_F1 && key <= Qt::Key_F35;
}

bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr || key == Qt::Key_Super_L || key == Qt::Key_Super_R;
}
}

QKeySequence BossKeyRule::parse(const QString &text)
{
    QString compact = text;
    compact.remove(QLatin1Char(' '));
    const QKeySequence sequence = QKeySequence::fromString(compact, QKeySequence::PortableText);
    if (sequence.count() != 1)
        return QKeySequence();
    const int combined = sequence[0];
    const int key = combined & ~int(Qt::KeyboardModifierMask);
    const auto modifiers = Qt::KeyboardModifiers(combined & int(Qt::KeyboardModifierMask));
    if (key == 0 || key == Qt::Key_unknown || isModifierKey(key) || (modifiers & ~kAllModifiers))
        return QKeySequence();
    // A plain key would be taken from every other program's typing.
    if (!(modifiers & kChordModifiers) && !isFunctionKey(key))
        return QKeySequence();
    return sequence;
}

BossKeyRule::Way BossKeyRule::decide(bool enabled, const QString &platform, bool portalAvailable,
                                     const QString &keyText)
{
    if (!enabled)
        return Way::Off;
    if (parse(keyText).isEmpty())
        return Way::Unusable;
    if (platform == QLatin1String("xcb"))
        return Way::X11Grab;
    return portalAvailable ? Way::Portal : Way::WindowOnly;
}

QString BossKeyRule::label(Way way, Failure failure)
{
    switch (way) {
    case Way::Off:
        return QStringLiteral("老板键已关闭。") + kBindCommand;
    case Way::Unusable:
        return QStringLiteral("此键不能用作老板键（需要 Ctrl、Alt 或 Meta 加一个键），只有 Alt+Q 在窗口有焦点时有效。");
    case Way::WindowOnly:
        return QStringLiteral("本桌面只在窗口有焦点时响应此键。") + kBindCommand;
    case Way::X11Grab:
    case Way::Portal:
        break;
    }
    switch (failure) {
    case Failure::Taken:
        return QStringLiteral("此键已被其他程序占用，只在窗口有焦点时有效。") + kBindCommand;
    case Failure::NotOnKeyboard:
        return QStringLiteral("当前键盘上没有此键，只在窗口有焦点时有效。") + kBindCommand;
    case Failure::Refused:
        return QStringLiteral("桌面没有接受此快捷键，只在窗口有焦点时有效。") + kBindCommand;
    case Failure::None:
        break;
    }
    if (way == Way::X11Grab)
        return QStringLiteral("全局有效：在任何程序中按下此键都会隐藏或显示窗口。");
    return QStringLiteral("全局有效：由桌面的全局快捷键服务转达，可在桌面设置中更改。");
}

bool BossKeyRule::isLocalKey(const QString &keyText, int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers pressed = modifiers & kAllModifiers;
    if (key == Qt::Key_Q && pressed == Qt::AltModifier)
        return true;
    const QKeySequence chord = parse(keyText);
    return !chord.isEmpty() && chord[0] == (key | int(pressed));
}

QString BossKeyRule::portalTrigger(const QKeySequence &chord)
{
    if (chord.isEmpty())
        return QString();
    const int combined = chord[0];
    const int key = combined & ~int(Qt::KeyboardModifierMask);
    QStringList parts;
    const std::pair<Qt::KeyboardModifier, const char *> names[] = {
        {Qt::ControlModifier, "CTRL"}, {Qt::AltModifier, "ALT"}, {Qt::ShiftModifier, "SHIFT"},
        {Qt::MetaModifier, "LOGO"}};
    for (const auto &[modifier, name] : names) {
        if (combined & modifier)
            parts << QLatin1String(name);
    }
    // Key names as the keyboard's symbols: letters in lower case.
    const QString keyName = QKeySequence(key).toString(QKeySequence::PortableText);
    parts << (key >= Qt::Key_A && key <= Qt::Key_Z ? keyName.toLower() : keyName);
    return parts.join(QLatin1Char('+'));
}
