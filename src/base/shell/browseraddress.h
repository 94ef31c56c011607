#pragma once

#include <QString>

class QUrl;

// Which addresses the client hands to the desktop, and what the user reads
// when one is refused or nothing opens it. Addresses come from the portal's
// replies and pages, so only web pages and the chat links of "tencent://"
// leave the client; a file, a script or another program's scheme never does.
class BrowserAddress
{
public:
    // Longer addresses are refused: no page of the portal needs them.
    static constexpr int maxLength = 8192;

    static bool mayOpen(const QUrl &url);
    // The address as the user copies it into a browser.
    static QString copyText(const QUrl &url);
    static QString refusedText(const QUrl &url);
    static QString notOpenedText(const QUrl &url);
};
