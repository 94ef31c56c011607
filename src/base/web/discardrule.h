#pragma once

#include "web/tabcontext.h"

#include <QList>
#include <QString>

// Which page gives its memory back when the client has grown past the
// player's ceiling: the ordinary web page that has been out of sight longest.
// Games, the home tab, a tab on screen and a page already discarded are
// never chosen; one page a sample, so the next sample sees what it freed.
class DiscardRule
{
public:
    struct Tab {
        TabContext::Kind kind = TabContext::Web;
        // On screen: the tab in front, or a pane of a split.
        bool shown = false;
        // When it was last in front, on the caller's clock; 0: never.
        qint64 lastShownMs = 0;
        bool discarded = false;
    };

    // The index into tabs of the page to discard, or -1 for none. A ceiling
    // of 0 or less is off; an unknown total (negative) decides nothing.
    static int pick(qint64 ceilingMiB, qint64 totalPssKiB, const QList<Tab> &tabs);
    static bool mayDiscard(const Tab &tab);
    // What the status bar says: the page's title on one line, cut short.
    static QString notice(const QString &title);
};
