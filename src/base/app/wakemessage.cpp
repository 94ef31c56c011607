#include "app/wakemessage.h"

namespace {
// Never the start of an address: the shortcuts hand over URLs.
const QByteArray kTokenMark = QByteArrayLiteral("activation-token:");
constexpr int kMaxToken = 512;

bool isToken(const QByteArray &token)
{
    if (token.isEmpty() || token.size() > kMaxToken)
        return false;
    for (const char c : token) {
        if (c <= ' ' || c > '~')
            return false;
    }
    return true;
}
}

QByteArray WakeMessage::tokenFrom(const QByteArray &activationToken, const QByteArray &startupId)
{
    if (isToken(activationToken))
        return activationToken;
    return isToken(startupId) ? startupId : QByteArray();
}

QByteArray WakeMessage::compose() const
{
    if (!isToken(token))
        return text;
    QByteArray message = kTokenMark;
    message += token;
    message += '\n';
    message += text;
    return message;
}

WakeMessage WakeMessage::parse(const QByteArray &message)
{
    WakeMessage wake;
    if (!message.startsWith(kTokenMark)) {
        wake.text = message;
        return wake;
    }
    const int end = message.indexOf('\n');
    const QByteArray token = message.mid(kTokenMark.size(), end < 0 ? -1 : end - kTokenMark.size());
    if (isToken(token))
        wake.token = token;
    wake.text = end < 0 ? QByteArray() : message.mid(end + 1);
    return wake;
}

bool WakeMessage::isToggle() const
{
    return text == "--toggle";
}

unsigned long WakeMessage::startupTime(const QByteArray &startupId)
{
    const int at = startupId.lastIndexOf("_TIME");
    if (at < 0)
        return 0;
    bool ok = false;
    const unsigned long time = startupId.mid(at + 5).toULong(&ok);
    return ok ? time : 0;
}
