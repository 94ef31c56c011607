#pragma once

#include <QList>

class QWebEnginePage;

// Reads the counters of the stand-in portal's meter page (static/meter.html):
// its 10 ms interval and its animation frames, against the page's own clock.
class MeterProbe
{
public:
    struct Sample {
        double timers = -1;
        double frames = -1;
        double atMs = -1;
        bool isValid() const { return atMs >= 0; }
    };
    // Per second; -1 when the page did not answer.
    struct Rates {
        double timers = -1;
        double frames = -1;
    };

    // Hands the engine the client's switches for games out of sight; before the application starts.
    static void passBackgroundSwitches();

    // Invalid when the page did not answer in time (a frozen page does not).
    static Sample sample(QWebEnginePage *page, int timeoutMs = 10000);
    // Until the page's meter has counted a few frames.
    static bool waitUntilCounting(QWebEnginePage *page, int timeoutMs = 30000);
    // The page's first frame at or after the moment (ms since the epoch); -1 for none yet.
    static double firstFrameAfter(QWebEnginePage *page, double ms, int timeoutMs = 10000);
    static Rates between(const Sample &first, const Sample &last);
    // Each page sampled, a window of windowMs let pass, each sampled again.
    static QList<Rates> measure(const QList<QWebEnginePage *> &pages, int windowMs);
};

// The main of a test that measures pages: the engine's switches, as the
// client passes them, before the engine starts.
#define KORVO_METER_TEST_MAIN(TestClass)                                                                    \
    int main(int argc, char **argv)                                                                         \
    {                                                                                                       \
        MeterProbe::passBackgroundSwitches();                                                               \
        QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                             \
        QApplication app(argc, argv);                                                                       \
        TestClass test;                                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                                          \
        return QTest::qExec(&test, argc, argv);                                                             \
    }
