#pragma once

#include <QString>

// The style of a skin: the shared sheet followed by the skin's own. The
// default skin's sheet lives in style/Korvo; any other in themes/<name>/.
class SkinStyle
{
public:
    static bool isDefault(const QString &skinName);
    // themes/<name>/ in the data directory; empty for the default skin.
    static QString directoryFor(const QString &skinName);
    // common.qss followed by the skin's style.qss.
    static QString styleSheetFor(const QString &skinName);
};
