#include "web/tabtitle.h"

QString TabTitle::cut(const QString &title)
{
    for (QChar separator : {QLatin1Char('|'), QLatin1Char('-'), QLatin1Char('_'), QLatin1Char(',')}) {
        const int position = title.indexOf(separator);
        if (position >= 0)
            return title.left(position);
    }
    return title;
}

int TabTitle::weight(const QString &text)
{
    static const QString wideMarks = QStringLiteral("《》【】");
    int wide = 0, upper = 0, lower = 0, other = 0;
    for (QChar c : text) {
        if ((c.unicode() >= 0x4E00 && c.unicode() <= 0x9FA5) || wideMarks.contains(c))
            ++wide;
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            ++upper;
        else if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            ++lower;
        else
            ++other;
    }
    return wide + upper + lower / 2 + other / 2;
}

QString TabTitle::elide(const QString &text)
{
    if (weight(text) > 11)
        return text.left(11) + QStringLiteral("...");
    return text;
}
