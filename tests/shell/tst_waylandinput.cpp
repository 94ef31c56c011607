#include "testsupport.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {
constexpr int kWait = 10000;
const QRgb kProbeColour = qRgb(255, 0, 255);

// Where the probe's window is on the compositor's output, which is drawn at
// the X server's top-left corner: the box of its colour on the screen.
QRect probeOnScreen()
{
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    QRect box;
    for (int y = 0; y < shot.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); ++x) {
            if ((line[x] & 0xffffff) == (kProbeColour & 0xffffff))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}
}

// The window's drags and a dialog under a Wayland compositor: weston nested
// in the tests' X server takes xdotool's input and passes it to the probe, a
// Wayland client that moves and resizes like the main window.
class TestWaylandInput final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_runtime;
    QProcess m_weston;
    QProcess m_probe;
    QStringList m_lines;

    bool waitForLine(const QString &line)
    {
        if (QTest::qWaitFor([&] { return m_lines.contains(line); }, kWait))
            return true;
        qWarning() << "the probe said:" << m_lines;
        return false;
    }

    QString lastLine(const QString &prefix) const
    {
        for (int i = m_lines.size() - 1; i >= 0; --i) {
            if (m_lines.at(i).startsWith(prefix))
                return m_lines.at(i);
        }
        return QString();
    }

    // Presses at from and moves the pointer a pixel at a time until the
    // compositor has taken the drag over (taken tells), then to the end and,
    // once the window shows the end (done tells), lets go. A busy probe asks
    // for the drag later than xdotool moves; a release before that would end it.
    bool drag(const QPoint &from, const QPoint &to, const std::function<bool()> &taken,
              const std::function<bool()> &done)
    {
        if (!pointTo(from) || !xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}))
            return false;
        const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
        QPoint at = from;
        bool grabbed = false;
        for (int i = 0; i < 20 && !grabbed; ++i) {
            at += step;
            grabbed = pointTo(at) && QTest::qWaitFor(taken, 500);
        }
        const bool ended = grabbed && pointTo(to) && QTest::qWaitFor(done, kWait);
        return xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}) && ended;
    }

private slots:
    void initTestCase()
    {
        const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
        if (weston.isEmpty())
            QSKIP("weston is not installed");
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "the tests run in an X server");
        QVERIFY(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty());
        QVERIFY(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        m_weston.setProcessEnvironment(env);
        m_weston.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_weston.start(weston, {QStringLiteral("--backend=x11-backend.so"), QStringLiteral("--use-pixman"),
                                QStringLiteral("--width=1024"), QStringLiteral("--height=768"),
                                QStringLiteral("--socket=korvo-test"), QStringLiteral("--idle-time=0"),
                                QStringLiteral("--no-config")});
        QVERIFY(m_weston.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_runtime.filePath(QStringLiteral("korvo-test"))), kWait);

        env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("korvo-test"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        m_probe.setProcessEnvironment(env);
        m_probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        connect(&m_probe, &QProcess::readyReadStandardOutput, this, [this] {
            while (m_probe.canReadLine())
                m_lines << QString::fromUtf8(m_probe.readLine()).trimmed();
        });
        m_probe.start(QStringLiteral(PROBE_PATH), QStringList());
        QVERIFY(waitForLine(QStringLiteral("platform wayland")));
        // Drawn once the compositor shows it.
        QTRY_VERIFY_WITH_TIMEOUT(probeOnScreen().width() > 500, kWait);
    }

    void cleanupTestCase()
    {
        if (m_probe.state() != QProcess::NotRunning) {
            m_probe.closeWriteChannel();
            if (!m_probe.waitForFinished(5000))
                m_probe.kill();
        }
        if (m_weston.state() != QProcess::NotRunning) {
            m_weston.terminate();
            m_weston.waitForFinished(5000);
        }
    }

    void titleDragMovesTheWindow()
    {
        const QRect before = probeOnScreen();
        const QPoint grab = before.topLeft() + QPoint(before.width() / 2, 20);
        const QPoint to = grab + QPoint(-120, 90);
        const QRect expected = before.translated(to - grab);
        // The compositor moves the window by what the pointer moved since the press.
        QVERIFY(drag(grab, to, [&] { return probeOnScreen() != before; }, [&] { return probeOnScreen() == expected; }));
        QCOMPARE(probeOnScreen(), expected);
        screenShot(QStringLiteral("wayland-moved"));
    }

    void borderDragResizesByWhatThePointerMoved_data()
    {
        QTest::addColumn<QString>("border");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QSize>("growth");
        QTest::newRow("right edge") << QStringLiteral("right") << QPoint(70, 0) << QSize(70, 0);
        QTest::newRow("top-left corner") << QStringLiteral("top-left") << QPoint(-50, -40) << QSize(50, 40);
    }

    void borderDragResizesByWhatThePointerMoved()
    {
        QFETCH(QString, border);
        QFETCH(QPoint, delta);
        QFETCH(QSize, growth);
        const QRect before = probeOnScreen();
        const QStringList size = lastLine(QStringLiteral("size ")).split(QLatin1Char(' '));
        QCOMPARE(size.size(), 3);
        const QSize start(size.at(1).toInt(), size.at(2).toInt());
        const QPoint from = border == QLatin1String("right") ? QPoint(before.right() - 1, before.center().y())
                                                              : QPoint(before.left() + 1, before.top() + 1);
        const QSize expected = start + growth;
        const QString sizeNow = lastLine(QStringLiteral("size "));
        const QString sizeExpected = QStringLiteral("size %1 %2").arg(expected.width()).arg(expected.height());
        QVERIFY(drag(from, from + delta, [&] { return lastLine(QStringLiteral("size ")) != sizeNow; },
                     [&] { return lastLine(QStringLiteral("size ")) == sizeExpected; }));
        QCOMPARE(lastLine(QStringLiteral("size ")), sizeExpected);
    }

    void dialogOpensForItsOwnerWithTheFirstFieldFocused()
    {
        m_probe.write("dialog\n");
        QVERIFY(waitForLine(QStringLiteral("transient owner")));
        QVERIFY(waitForLine(QStringLiteral("focus probeDialogField")));
        screenShot(QStringLiteral("wayland-dialog"));
    }
};

QTEST_MAIN(TestWaylandInput)
#include "tst_waylandinput.moc"
