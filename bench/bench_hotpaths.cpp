// Prints the cost of the two paths a click goes through most: sealing a login
// body with the portal's key already read, and a routing decision against a
// hundred downloaded rules.
#include "account/accountoperations.h"
#include "net/rsasignature.h"
#include "testsupport.h"
#include "web/urlrouter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// Median and spread (min..max) of runs of `perRun` calls, in microseconds a call.
template<typename Work>
void report(const char *name, int runs, int perRun, Work work)
{
    std::vector<double> each;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < perRun; ++i)
            work(i);
        each.push_back(clock.nsecsElapsed() / 1000.0 / perRun);
    }
    std::sort(each.begin(), each.end());
    std::printf("%-40s median %9.2f us  (min %.2f, max %.2f; %d runs of %d)\n", name, each[each.size() / 2],
                each.front(), each.back(), runs, perRun);
}

bool makeKey(const QString &dir)
{
    const QString priv = dir + QStringLiteral("/bench_private.pem");
    return QProcess::execute(QStringLiteral("openssl"),
                             {QStringLiteral("genpkey"), QStringLiteral("-algorithm"), QStringLiteral("RSA"),
                              QStringLiteral("-pkeyopt"), QStringLiteral("rsa_keygen_bits:1024"), QStringLiteral("-out"), priv})
               == 0
        && QProcess::execute(QStringLiteral("openssl"),
                             {QStringLiteral("pkey"), QStringLiteral("-in"), priv, QStringLiteral("-pubout"),
                              QStringLiteral("-out"), RSASignature::keyPath()})
               == 0;
}
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestAppDir dir;
    if (!makeKey(dir.path())) {
        std::fprintf(stderr, "openssl could not make a key\n");
        return 1;
    }
    const QString digest = AccountOperations::passwordDigest(QStringLiteral("korvo123"));
    if (AccountOperations::sealedUrl(AccountOperations::loginText(QStringLiteral("korvo"), digest)).isEmpty()) {
        std::fprintf(stderr, "sealing failed\n");
        return 1;
    }
    report("seal a login body (key in memory)", 9, 200, [&digest](int) {
        AccountOperations::sealedUrl(AccountOperations::loginText(QStringLiteral("korvo"), digest));
    });

    UrlRouter router;
    router.setHosts(QStringLiteral("www.korvo.test"), QStringLiteral("h5.korvo.test"),
                    {QStringLiteral("a.test"), QStringLiteral("b.test"), QStringLiteral("c.test")});
    // Mostly links that pass every rule and reach the later steps, as most clicks do.
    const QList<QUrl> urls = {QUrl(QStringLiteral("http://www.korvo.test/xianxia/")),
                              QUrl(QStringLiteral("http://www.korvo.test/game_play/108.html")),
                              QUrl(QStringLiteral("http://www.korvo.test/news/3.html")),
                              QUrl(QStringLiteral("http://h5.korvo.test/games/snake/1")),
                              QUrl(QStringLiteral("http://www.korvo.test/pay99/x.php?from=box_99"))};
    RouteContext context;
    report("route a link, no rules", 9, 20000, [&](int i) { router.route(urls.at(i % urls.size()), context); });
    QStringList rules;
    for (int i = 0; i < 100; ++i)
        rules << QStringLiteral(".*/pay%1/.*\\?from=(box|web)_%1").arg(i);
    router.setRules(rules);
    report("route a link against 100 rules", 9, 20000,
           [&](int i) { router.route(urls.at(i % urls.size()), context); });
    return 0;
}
