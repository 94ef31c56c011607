#pragma once

#include <QByteArray>

// What a later start hands the running copy: the text it was started with
// (an address, or nothing for a plain wake-up) and, where the desktop gave it
// one, the token that lets the running copy come to the front (a Wayland
// activation token, or an X11 startup id). No window needed.
class WakeMessage
{
public:
    QByteArray text;
    QByteArray token;

    // The token of this start: XDG_ACTIVATION_TOKEN on Wayland, else DESKTOP_STARTUP_ID.
    static QByteArray tokenFrom(const QByteArray &activationToken, const QByteArray &startupId);
    QByteArray compose() const;
    // Any bytes may arrive: a token that is not one is dropped, the text kept.
    static WakeMessage parse(const QByteArray &message);
    // "KorvoClient --toggle": the running copy shows or hides its window
    // instead of coming to the front.
    bool isToggle() const;
    // The X server time a startup id carries ("..._TIME<number>"); 0 when none.
    static unsigned long startupTime(const QByteArray &startupId);
};
