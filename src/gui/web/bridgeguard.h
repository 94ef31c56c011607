#pragma once

class QWebEngineProfile;

// Every message a page hands the web channel is read whole, on the GUI thread,
// before the bridge sees a single argument: a page that sends ten megabytes
// stalls the window. So each document's own transport is wrapped, before any
// script of the page runs, in a function that drops a message longer than the
// longest call the bridge takes can be; the page cannot reach the transport
// it wraps.
class BridgeGuard
{
public:
    // In characters: the largest argument (64 Ki characters of data) escaped
    // six times over, with room for the call around it.
    static constexpr int maxMessageLength = 512 * 1024;

    // Every document of every page of the profile, frames included.
    static void installOn(QWebEngineProfile *profile);
};
