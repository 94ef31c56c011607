#include "web/shortcuttoken.h"

#include "app/settings.h"
#include "web/shortcutaddress.h"

#include <QRandomGenerator>

QString ShortcutToken::key()
{
    return QStringLiteral("shortcut/token");
}

QString ShortcutToken::of(Settings *settings)
{
    const QString kept = settings->value(key()).toString();
    if (ShortcutAddress::isToken(kept))
        return kept;
    QByteArray bytes(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    const QString made = QString::fromLatin1(bytes.toHex());
    settings->setValue(key(), made);
    return made;
}

bool ShortcutToken::matches(const Settings *settings, const QString &text)
{
    const QString kept = settings->value(key()).toString();
    if (!ShortcutAddress::isToken(kept) || text.size() != kept.size())
        return false;
    // Compared in full whatever the first difference, so time tells nothing.
    int difference = 0;
    for (int i = 0; i < kept.size(); ++i)
        difference |= kept.at(i).unicode() ^ text.at(i).unicode();
    return difference == 0;
}
