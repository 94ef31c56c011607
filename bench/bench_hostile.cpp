// Prints one line per figure: how the client's reading code fares against
// the stand-in portal's hostile replies, how web tabs fare against its
// hostile pages and the main window against its hostile skins (under Xvfb),
// and the memory a simulated day of account checks with repeated keys leaves
// behind. Arguments pick parts: replies, pages, skins, checks (all without).
#include "account/accountoperations.h"
#include "hostilepages.h"
#include "hostileskins.h"
#include "stallmeter.h"
#include "shell/avatarpicture.h"
#include "net/httprequest.h"
#include "net/portal.h"
#include "portalfault.h"
#include "standinportal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {
long statusKb(const char *field)
{
    QFile file(QStringLiteral("/proc/self/status"));
    file.open(QIODevice::ReadOnly);
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    }
    return -1;
}

long residentMb() { return statusKb("VmRSS:") / 1024; }
long peakMb() { return statusKb("VmHWM:") / 1024; }

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void loginThrough(StandInPortal &portal, const char *label, const QJsonObject &fault, bool picture = false)
{
    PortalFault::once(portal, picture ? QStringLiteral("/DODev_C/avatar.php") : QStringLiteral("user_login"), fault);
    HttpRequest request;
    if (picture)
        request.setLimits(ReplyGuard::pictureLimits());
    QSignalSpy succeeded(&request, &HttpRequest::signalHttpSuccess);
    QSignalSpy failed(&request, &HttpRequest::signalHttpFailed);
    resetPeak();
    const long before = residentMb();
    StallMeter stall;
    QElapsedTimer clock;
    clock.start();
    request.get(picture ? QUrl(Portal::portalRoot() + QStringLiteral("/DODev_C/avatar.php?user_id=10001"))
                        : AccountOperations::sealedUrl(AccountOperations::loginText(
                              QStringLiteral("korvo"), AccountOperations::passwordDigest(QStringLiteral("korvo123")))));
    while (succeeded.isEmpty() && failed.isEmpty() && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QString outcome = failed.isEmpty() ? QStringLiteral("answered") : failed.first().first().toString();
    if (picture && !succeeded.isEmpty()) {
        QImage image;
        const auto result = AvatarPicture::read(succeeded.first().first().toByteArray(), &image);
        outcome = result == AvatarPicture::Result::TooLarge ? QStringLiteral("picture refused by its size")
                                                           : QStringLiteral("picture read");
    } else if (!succeeded.isEmpty()) {
        outcome = QStringLiteral("login reply read as kind %1")
                      .arg(AccountOperations::classify(succeeded.first().first().toByteArray()).kind);
    }
    std::printf("%-28s %6lld ms  resident %4ld -> peak %4ld MB  longest loop stall %4lld ms  (%s)\n", label,
                clock.elapsed(), before, peakMb(), stall.longest, qPrintable(outcome));
}

QByteArray repeatedKeyReply(int count)
{
    QByteArray body("{");
    for (int i = 0; i < count; ++i)
        body += "\"dup\":{\"n\":[1]},";
    body += "\"code\":200,\"msg\":\"ok\"}";
    return body;
}

void dayOfChecks()
{
    const QByteArray reply = repeatedKeyReply(100000);
    std::printf("account check reply with 100000 repeated keys: %d bytes\n", reply.size());
    const long start = residentMb();
    for (int i = 0; i < 1440; ++i) {
        QJsonObject object;
        Portal::parseObject(reply, &object);
    }
    std::printf("1440 checks through Portal::parseObject: resident %ld -> %ld MB\n", start, residentMb());
    const long rawStart = residentMb();
    for (int i = 0; i < 10; ++i)
        QJsonDocument::fromJson(reply);
    std::printf("10 replies straight into QJsonDocument::fromJson: resident %ld -> %ld MB\n", rawStart, residentMb());
}
}

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

    // The client looks for the portal's public key in its application directory.
    QTemporaryDir keys;
    qputenv("KORVO_APP_DIR", keys.path().toUtf8());
    StandInPortal portal(keys.path());
    if (!portal.start()) {
        std::printf("the stand-in portal did not start\n");
        return 1;
    }
    const QStringList parts = app.arguments().mid(1);
    const auto wanted = [&parts](const char *part) { return parts.isEmpty() || parts.contains(QLatin1String(part)); };
    if (wanted("replies")) {
        loginThrough(portal, "normal login", {});
        loginThrough(portal, "gzip bomb of 3 GiB", {{QStringLiteral("gzip_bomb_mib"), QStringLiteral("3072")}});
        loginThrough(portal, "login reply of 100 MB", {{QStringLiteral("large_bytes"), QStringLiteral("104857600")}});
        loginThrough(portal, "endless headers", {{QStringLiteral("endless_headers"), QStringLiteral("1")}});
        loginThrough(portal, "login after endless headers", {});
        loginThrough(portal, "drip, a byte every 3 s", {{QStringLiteral("drip_ms"), QStringLiteral("3000")}});
        loginThrough(portal, "hung: no answer for 30 s", {{QStringLiteral("delay_ms"), QStringLiteral("30000")}});
        loginThrough(portal, "dropped before the body", {{QStringLiteral("drop"), QStringLiteral("1")}});
        loginThrough(portal, "avatar of 20000 x 20000", {{QStringLiteral("image_px"), QStringLiteral("20000")}}, true);
    }
    if (wanted("pages"))
        HostilePagesBench::run();
    if (wanted("skins"))
        HostileSkinsBench::run();
    // Last: the unguarded parser's leak stays to the end of the process.
    if (wanted("checks"))
        dayOfChecks();
    return 0;
}
