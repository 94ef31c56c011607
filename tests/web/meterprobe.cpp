#include "meterprobe.h"

#include "web/enginearguments.h"

#include <QSharedPointer>
#include <QTest>
#include <QVariantList>
#include <QWebEnginePage>

void MeterProbe::passBackgroundSwitches()
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const char *background : EngineArguments::backgroundSwitches())
        flags += ' ' + QByteArray(background);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

MeterProbe::Sample MeterProbe::sample(QWebEnginePage *page, int timeoutMs)
{
    auto answer = QSharedPointer<Sample>::create();
    auto answered = QSharedPointer<bool>::create(false);
    page->runJavaScript(QStringLiteral("window.meter ? [meter.timers, meter.frames, Date.now()] : null"),
                        [answer, answered](const QVariant &result) {
                            const QVariantList values = result.toList();
                            if (values.size() == 3) {
                                answer->timers = values.at(0).toDouble();
                                answer->frames = values.at(1).toDouble();
                                answer->atMs = values.at(2).toDouble();
                            }
                            *answered = true;
                        });
    if (!QTest::qWaitFor([answered] { return *answered; }, timeoutMs))
        return Sample();
    return *answer;
}

double MeterProbe::firstFrameAfter(QWebEnginePage *page, double ms, int timeoutMs)
{
    auto answer = QSharedPointer<double>::create(-2);
    page->runJavaScript(QStringLiteral("window.meter ? meter.firstFrameAfter(%1) : -1").arg(ms, 0, 'f', 0),
                        [answer](const QVariant &result) { *answer = result.toDouble(); });
    if (!QTest::qWaitFor([answer] { return *answer > -2; }, timeoutMs))
        return -1;
    return *answer;
}

bool MeterProbe::waitUntilCounting(QWebEnginePage *page, int timeoutMs)
{
    return QTest::qWaitFor([page] { return sample(page).frames > 3; }, timeoutMs);
}

MeterProbe::Rates MeterProbe::between(const Sample &first, const Sample &last)
{
    Rates rates;
    const double seconds = (last.atMs - first.atMs) / 1000.0;
    if (!first.isValid() || !last.isValid() || seconds <= 0)
        return rates;
    rates.timers = (last.timers - first.timers) / seconds;
    rates.frames = (last.frames - first.frames) / seconds;
    return rates;
}

QList<MeterProbe::Rates> MeterProbe::measure(const QList<QWebEnginePage *> &pages, int windowMs)
{
    QList<Sample> first;
    for (QWebEnginePage *page : pages)
        first.append(sample(page));
    QTest::qWait(windowMs);
    QList<Rates> rates;
    for (int i = 0; i < pages.size(); ++i)
        rates.append(between(first.at(i), sample(pages.at(i))));
    return rates;
}
