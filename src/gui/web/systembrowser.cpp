#include "web/systembrowser.h"

#include "shell/browseraddress.h"
#include "app/noticebox.h"

#include <QDebug>
#include <QDesktopServices>
#include <QUrl>

bool SystemBrowser::open(QWidget *parent, const QUrl &url)
{
    if (!BrowserAddress::mayOpen(url)) {
        qDebug() << "SystemBrowser: refused" << BrowserAddress::copyText(url).left(200);
        NoticeBox::showCopyable(parent, BrowserAddress::refusedText(url));
        return false;
    }
    if (QDesktopServices::openUrl(url))
        return true;
    NoticeBox::showCopyable(parent, BrowserAddress::notOpenedText(url));
    return false;
}
