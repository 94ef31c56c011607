// Any bytes as the style sheet of a downloaded skin: what the client applies
// either is empty or names no file but inside the skin's own folder.
#include "app/skinstyle.h"

#include <QRegularExpression>
#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString dir = QStringLiteral("/themes/blue/");
    const QString sheet = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QString confined = SkinStyle::confinedSheet(sheet, dir);
    if (confined.contains(QLatin1Char('\\')))
        __builtin_trap();
    // Every reference left is a quoted absolute name below the folder, without a climb.
    static const QRegularExpression reference(QStringLiteral("url\\("), QRegularExpression::CaseInsensitiveOption);
    auto it = reference.globalMatch(confined);
    while (it.hasNext()) {
        const int at = it.next().capturedEnd();
        const int close = confined.indexOf(QLatin1Char('"'), at + 1);
        const QString name = confined.mid(at + 1, close - at - 1);
        if (confined.mid(at, 1) != QLatin1String("\"") || close < 0 || !name.startsWith(dir)
            || confined.mid(close, 2) != QLatin1String("\")"))
            __builtin_trap();
        const QStringList parts = name.mid(dir.size()).split(QLatin1Char('/'));
        if (parts.contains(QStringLiteral("..")) || parts.contains(QStringLiteral(".")) || parts.contains(QString()))
            __builtin_trap();
    }
    return 0;
}
