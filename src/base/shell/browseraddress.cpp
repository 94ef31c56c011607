#include "shell/browseraddress.h"

#include <QUrl>

namespace {
// What a refusal quotes of an address it did not trust.
constexpr int kQuotedLength = 200;
}

bool BrowserAddress::mayOpen(const QUrl &url)
{
    if (!url.isValid() || url.isRelative() || copyText(url).size() > maxLength)
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    // The chat links have an authority ("tencent://message/?uin=..").
    if (scheme == QLatin1String("tencent"))
        return url.toString().startsWith(QLatin1String("tencent://"), Qt::CaseInsensitive);
    return false;
}

QString BrowserAddress::copyText(const QUrl &url)
{
    return QString::fromLatin1(url.toEncoded());
}

QString BrowserAddress::refusedText(const QUrl &url)
{
    QString quoted = copyText(url);
    if (quoted.size() > kQuotedLength)
        quoted = quoted.left(kQuotedLength) + QStringLiteral("…");
    if (quoted.isEmpty())
        return QStringLiteral("没有可以打开的地址。");
    return QStringLiteral("这个地址不能打开：\n") + quoted;
}

QString BrowserAddress::notOpenedText(const QUrl &url)
{
    return QStringLiteral("没有找到可以打开这个地址的浏览器，请复制地址到浏览器中打开：\n") + copyText(url);
}
