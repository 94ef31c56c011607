#include "standinportal.h"
#include "testmainframe.h"
#include "testsupport.h"

#include "net/portal.h"
#include "shell/bossmute.h"
#include "web/tabwidget.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWebEngineSettings>
#include <QtMath>
#include <QtTest>

namespace {
constexpr int kRate = 16000;
// Each game plays its own tone, so a recording tells which one is heard.
constexpr double kFirstHz = 440;
constexpr double kSecondHz = 660;
// A tone's share of the recording's power above which it counts as heard.
constexpr double kHeard = 0.05;
}

// Sound follows the game in front, heard for real: the engine plays into a
// sound server's null sink of the test's own, and what reaches the sink is
// recorded and sorted by tone.
class TestSoundRecording final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_runtime;
    QProcess m_server;
    QProcess m_recorder;
    QByteArray m_recorded;

    // Power of one frequency in the samples against their whole power (Goertzel).
    static double share(const QVector<double> &samples, double hz)
    {
        const double coefficient = 2 * qCos(2 * M_PI * hz / kRate);
        double previous = 0, beforePrevious = 0, total = 0;
        for (double sample : samples) {
            const double current = sample + coefficient * previous - beforePrevious;
            beforePrevious = previous;
            previous = current;
            total += sample * sample;
        }
        const double power = previous * previous + beforePrevious * beforePrevious
                             - coefficient * previous * beforePrevious;
        return total > 0 ? 2 * power / (samples.size() * total) : 0;
    }

    // Records the next half second of the sink; which tones are in it. What
    // played before a change takes a moment to leave the sink, so callers
    // listen again until they hear what they wait for.
    QPair<bool, bool> listen()
    {
        constexpr int count = kRate / 2;
        m_recorded.clear();
        if (!QTest::qWaitFor([this] { return m_recorded.size() >= count * 2; }, 10000))
            return {false, false};
        const auto *raw = reinterpret_cast<const qint16 *>(m_recorded.constData());
        QVector<double> samples;
        for (int i = 0; i < count; ++i)
            samples.append(raw[i] / 32768.0);
        double loudness = 0;
        for (double sample : samples)
            loudness = qMax(loudness, qAbs(sample));
        qInfo("peak %.3f, %g Hz %.2f, %g Hz %.2f", loudness, kFirstHz, share(samples, kFirstHz), kSecondHz,
              share(samples, kSecondHz));
        if (loudness < 0.01)
            return {false, false};
        return {share(samples, kFirstHz) > kHeard, share(samples, kSecondHz) > kHeard};
    }

    static WebView *openTone(TabWidget *tabs, double hz)
    {
        return tabs->createGamePlayTab(
            QUrl(Portal::portalRoot() + QStringLiteral("/static/meter.html?tone=%1").arg(hz)));
    }

    // The player's click, which also lets the page start its sound.
    static bool click(WebView *view)
    {
        if (!QTest::qWaitFor([view] { return view->focusProxy() && view->focusProxy()->isVisible(); }, 20000))
            return false;
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, view->focusProxy()->rect().center());
        return true;
    }

private slots:
    void initTestCase()
    {
        const QString server = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        const QString recorder = QStandardPaths::findExecutable(QStringLiteral("parec"));
        if (server.isEmpty() || recorder.isEmpty())
            QSKIP("needs pulseaudio and parec (apt-get install pulseaudio pulseaudio-utils)");
        const QString socket = m_runtime.filePath(QStringLiteral("native"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        environment.insert(QStringLiteral("HOME"), m_runtime.path());
        m_server.setProcessEnvironment(environment);
        m_server.start(server, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                                QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                                QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=korvo"),
                                QStringLiteral("-L"),
                                QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket});
        QVERIFY(m_server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 10000);
        qputenv("PULSE_SERVER", (QStringLiteral("unix:") + socket).toUtf8());
        m_recorder.start(recorder, {QStringLiteral("--device=korvo.monitor"), QStringLiteral("--raw"),
                                    QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(kRate),
                                    QStringLiteral("--channels=1")});
        QVERIFY(m_recorder.waitForStarted());
        connect(&m_recorder, &QProcess::readyReadStandardOutput, this,
                [this] { m_recorded += m_recorder.readAllStandardOutput(); });
    }

    void cleanupTestCase()
    {
        for (QProcess *process : {&m_recorder, &m_server}) {
            process->terminate();
            if (!process->waitForFinished(5000))
                process->kill();
        }
    }

    void onlyTheGameInFrontIsHeard()
    {
        TestAppDir dir;
        StandInPortal portal(dir.path());
        QVERIFY(portal.start());
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        // Synthetic clicks reach the page before it counts them as the player's; the tones start at once.
        frame.services().profile->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
        TabWidget *tabs = frame.tabWidget();
        WebView *first = openTone(tabs, kFirstHz);
        QWidget *firstTab = tabs->currentWidget();
        QVERIFY(click(first));
        WebView *second = openTone(tabs, kSecondHz);
        QVERIFY(click(second));
        // The engine opens its output with the first sound.
        QTRY_COMPARE_WITH_TIMEOUT(listen(), qMakePair(false, true), 20000);

        tabs->setCurrentWidget(firstTab);
        QTRY_COMPARE_WITH_TIMEOUT(listen(), qMakePair(true, false), 10000);

        // The player's mute, then the boss key over the game let play again.
        QPushButton *voice = firstTab->findChild<QPushButton *>(QStringLiteral("hostBar_VoiceBtn"));
        QTest::mouseClick(voice, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(listen(), qMakePair(false, false), 10000);
        QTest::mouseClick(voice, Qt::LeftButton);
        frame.bossMute()->hideWindow();
        QTRY_COMPARE_WITH_TIMEOUT(listen(), qMakePair(false, false), 10000);
        frame.show();
        QTRY_COMPARE_WITH_TIMEOUT(listen(), qMakePair(true, false), 10000);
    }
};

// The engine plays through ALSA; its "pulse" device reaches the test's own server.
int main(int argc, char **argv)
{
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --alsa-output-device=pulse");
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestSoundRecording test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_soundrecording.moc"
