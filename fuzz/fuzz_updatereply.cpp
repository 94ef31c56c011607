// Any body as the answer to check_update, and any two versions compared.
#include "dialogs/updatecheck.h"

#include <QUrl>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), int(size));
    const UpdateCheck::Reply reply = UpdateCheck::read(body);
    // The download button only ever hands the desktop a web address.
    if (!reply.downloadUrl.isEmpty()) {
        const QString scheme = QUrl(reply.downloadUrl).scheme();
        if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
            __builtin_trap();
    }
    if (!reply.readable && !reply.downloadUrl.isEmpty())
        __builtin_trap();

    // The body's two halves, split at the first newline, as two versions.
    const int cut = body.indexOf('\n');
    const QString first = QString::fromUtf8(cut < 0 ? body : body.left(cut));
    const QString second = cut < 0 ? reply.latest : QString::fromUtf8(body.mid(cut + 1));
    const bool newer = UpdateCheck::isNewer(first, second);
    const bool older = UpdateCheck::isNewer(second, first);
    if ((newer && older) || UpdateCheck::isNewer(first, first))
        __builtin_trap();  // an order, never both ways or against itself
    UpdateCheck::shouldAnnounce(reply, true, first);
    return 0;
}
