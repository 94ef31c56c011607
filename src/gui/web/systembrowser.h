#pragma once

class QUrl;
class QWidget;

// The one way the client hands an address to the desktop. An address the
// rules refuse, or one that nothing on the desktop opens, is told to the user
// in a notice box over parent, with the address to copy.
class SystemBrowser
{
public:
    // Whether the desktop took the address.
    static bool open(QWidget *parent, const QUrl &url);
};
