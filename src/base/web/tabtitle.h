#pragma once

#include <QString>

// Tab-title rules: a page title cut at its first separator, and a text
// shortened when it would be too wide for a tab.
class TabTitle
{
public:
    // Cut at the first "|", else "-", else "_", else ",".
    static QString cut(const QString &title);
    // The first 11 characters and "..." when the weight is over 11.
    static QString elide(const QString &text);
    // CJK ideographs, 《》【】 and capitals count 1; everything else half.
    static int weight(const QString &text);
};
