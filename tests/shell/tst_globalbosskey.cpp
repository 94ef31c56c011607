#include "app/instanceguard.h"
#include "app/settings.h"
#include "shell/singleapplication.h"
#include "dialogs/boxsettingform.h"
#include "shell/bossmute.h"
#include "shell/globalbosskey.h"
#include "testdesktop.h"
#include "testsupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QLabel>
#include <QProcess>
#include <QtTest>

#include <X11/Xlib.h>
#include <X11/keysym.h>
// Xlib's None is the failure of BossKeyRule here.
#undef None

#include <cstdlib>
#include <cstring>

Q_DECLARE_METATYPE(BossKeyRule::Failure)

namespace {
// The last calls the portal had; those of earlier tests come before.
QStringList lastPortalCalls(int count)
{
    const QDBusReply<QStringList> reply = QDBusConnection::sessionBus().call(desktopCall("PortalCalls"));
    const QStringList calls = reply.isValid() ? reply.value() : QStringList{QStringLiteral("no answer")};
    return calls.mid(qMax(0, calls.size() - count));
}

// Not for QTRY: each call presses the key once.
bool pressThroughPortal()
{
    const QDBusReply<bool> reply = QDBusConnection::sessionBus().call(desktopCall("Activate"));
    return reply.isValid() && reply.value();
}

void refuseBindings(bool refuse)
{
    QDBusMessage call = desktopCall("RefuseBindings");
    call << refuse;
    QDBusConnection::sessionBus().call(call);
}

QString dialogLabel(Settings *settings, GlobalBossKey *key)
{
    BoxSettingForm form(settings, nullptr);
    if (key)
        key->attach(&form);
    return form.findChild<QLabel *>(QStringLiteral("BossKeyWayLabel"))->text();
}

// A second start of this program, as the desktop's own shortcut runs it.
bool startToggle()
{
    return QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("--toggle")}) == 0;
}

// The window a boss key shows and hides, with the objects the client gives it.
struct BossWindow
{
    TestAppDir dir;
    Settings settings;
    QWidget widget;
    BossMute mute{&widget, &settings};

    BossWindow()
    {
        widget.resize(300, 200);
        widget.show();
    }
};
}

// The boss key from outside the window, in three runs: on an X server (the
// desktop with a tray), and without one (the offscreen platform, as under a
// Wayland compositor) once with the global shortcuts portal and once without.
class TestGlobalBossKey final : public QObject
{
    Q_OBJECT

private:
    QString m_desktop;

private slots:
    void initTestCase()
    {
        m_desktop = qEnvironmentVariable("KORVO_TEST_TRAY");
        QCOMPARE(QGuiApplication::platformName(),
                 QLatin1String(m_desktop == QLatin1String("tray") ? "xcb" : "offscreen"));
    }

    void toggleCommandHidesAndShowsTheRunningWindow()
    {
        BossWindow window;
        GlobalBossKey key(&window.widget, &window.settings, &window.mute);
        QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
        QVERIFY(startToggle());
        QTRY_VERIFY(!window.widget.isVisible());
        QVERIFY(startToggle());
        QTRY_VERIFY(window.widget.isVisible());
        window.widget.showMinimized();
        QTRY_VERIFY(window.widget.isMinimized());
        QVERIFY(startToggle());
        QTRY_VERIFY(!window.widget.isMinimized());
    }

    void x11GrabTogglesFromAnotherWindow()
    {
        if (m_desktop != QLatin1String("tray"))
            QSKIP("an X server only");
        BossWindow window;
        QWidget other;
        other.setGeometry(400, 0, 300, 200);
        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        GlobalBossKey key(&window.widget, &window.settings, &window.mute);
        QCOMPARE(key.way(), BossKeyRule::Way::X11Grab);
        QCOMPARE(key.failure(), BossKeyRule::Failure::None);
        QCOMPARE(dialogLabel(&window.settings, &key),
                 BossKeyRule::label(BossKeyRule::Way::X11Grab, BossKeyRule::Failure::None));

        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("alt+q")}));
        QTRY_VERIFY(!window.widget.isVisible());
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("alt+q")}));
        QTRY_VERIFY(window.widget.isVisible());

        // Another key, saved: the old one goes back to the other programs.
        window.settings.setValue(QStringLiteral("bosskey/keys"), QStringLiteral("Ctrl+Shift+F9"));
        key.apply();
        QCOMPARE(key.failure(), BossKeyRule::Failure::None);
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("alt+q")}));
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+F9")}));
        QTRY_VERIFY(!window.widget.isVisible());
    }

    void x11KeyThatCannotBeHadStaysLocal_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<BossKeyRule::Failure>("failure");
        QTest::addColumn<QString>("said");
        QTest::newRow("held by another program") << "Alt+Q" << BossKeyRule::Failure::Taken << "已被其他程序占用";
        QTest::newRow("not on the keyboard") << "Ctrl+F35" << BossKeyRule::Failure::NotOnKeyboard << "键盘上没有此键";
    }

    void x11KeyThatCannotBeHadStaysLocal()
    {
        if (m_desktop != QLatin1String("tray"))
            QSKIP("an X server only");
        QFETCH(QString, keys);
        QFETCH(BossKeyRule::Failure, failure);
        QFETCH(QString, said);
        // Another program, on a connection of its own, has Alt+Q.
        Display *other = XOpenDisplay(nullptr);
        QVERIFY(other);
        const auto root = DefaultRootWindow(other);
        XGrabKey(other, XKeysymToKeycode(other, XK_q), Mod1Mask, root, True, GrabModeAsync, GrabModeAsync);
        XSync(other, False);

        BossWindow window;
        window.settings.setValue(QStringLiteral("bosskey/keys"), keys);
        GlobalBossKey key(&window.widget, &window.settings, &window.mute);
        QCOMPARE(key.failure(), failure);
        QVERIFY(dialogLabel(&window.settings, &key).contains(said));
        // The window's own key stays.
        QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
        QTest::keyRelease(&window.widget, Qt::Key_Q, Qt::AltModifier);
        QVERIFY(!window.widget.isVisible());
        XCloseDisplay(other);
    }

    void portalBindsTheKeyAndItsActivationToggles()
    {
        if (m_desktop != QLatin1String("portal"))
            QSKIP("a desktop with the portal only");
        BossWindow window;
        GlobalBossKey key(&window.widget, &window.settings, &window.mute);
        QTRY_COMPARE(lastPortalCalls(2),
                     (QStringList{QStringLiteral("CreateSession"), QStringLiteral("BindShortcuts ALT+q")}));
        QCOMPARE(key.way(), BossKeyRule::Way::Portal);
        QCOMPARE(dialogLabel(&window.settings, &key),
                 BossKeyRule::label(BossKeyRule::Way::Portal, BossKeyRule::Failure::None));
        QVERIFY(pressThroughPortal());
        QTRY_VERIFY(!window.widget.isVisible());
        QVERIFY(pressThroughPortal());
        QTRY_VERIFY(window.widget.isVisible());

        // Saved again unchanged, the key is not bound again (the desktop may
        // ask the user each time). A changed key is bound in a new session; a
        // desktop that turns it down leaves the window's own key, and the
        // dialog says so.
        const int bound = lastPortalCalls(1000).size();
        key.apply();
        refuseBindings(true);
        window.settings.setValue(QStringLiteral("bosskey/keys"), QStringLiteral("Ctrl+B"));
        key.apply();
        QTRY_COMPARE(key.failure(), BossKeyRule::Failure::Refused);
        QTRY_COMPARE(lastPortalCalls(4), (QStringList{QStringLiteral("Close"), QStringLiteral("CreateSession"),
                                                    QStringLiteral("BindShortcuts CTRL+b"), QStringLiteral("Close")}));
        QCOMPARE(lastPortalCalls(1000).size(), bound + 4);
        QVERIFY(dialogLabel(&window.settings, &key).contains(QStringLiteral("桌面没有接受")));
        QTest::keyRelease(&window.widget, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(!window.widget.isVisible());
        refuseBindings(false);
    }

    void withoutPortalOnlyTheWindowAndTheCommand()
    {
        if (m_desktop != QLatin1String("none"))
            QSKIP("a desktop without the portal only");
        BossWindow window;
        GlobalBossKey key(&window.widget, &window.settings, &window.mute);
        QTRY_VERIFY(key.portalKnown());
        QCOMPARE(key.way(), BossKeyRule::Way::WindowOnly);
        QVERIFY(dialogLabel(&window.settings, &key).contains(QStringLiteral("\"KorvoClient --toggle\"")));
    }
};

// This program is its own second start: "--toggle" hands over to the copy
// that runs the tests, which meet in a runtime folder of their own.
int main(int argc, char *argv[])
{
    const bool toggle = argc == 2 && std::strcmp(argv[1], "--toggle") == 0;
    if (!toggle) {
        static char runtime[] = "/tmp/korvo-bosskey-XXXXXX";
        if (!::mkdtemp(runtime))
            return 2;
        ::setenv("XDG_RUNTIME_DIR", runtime, 1);
    }
    if (qEnvironmentVariable("KORVO_TEST_TRAY") != QLatin1String("tray"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<InstanceGuard> guard = InstanceGuard::claimOrHandOver(argc, argv);
    if (!guard)
        return toggle ? 0 : 2;
    SingleApplication app(argc, argv, std::move(guard));
    QGuiApplication::setQuitOnLastWindowClosed(false);
    TestGlobalBossKey test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_globalbosskey.moc"
