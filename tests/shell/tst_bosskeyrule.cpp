#include "shell/bosskeyrule.h"
#include "shell/notifyrule.h"

#include <QtTest>

Q_DECLARE_METATYPE(BossKeyRule::Way)
Q_DECLARE_METATYPE(NotifyRule::Event)

// Which way the boss key takes on each desktop, the texts it reads as keys,
// and when the desktop's notifications speak for a hidden window.
class TestBossKeyRule final : public QObject
{
    Q_OBJECT

private slots:
    void keyTextAndDesktopDecideTheWay_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("portal");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<BossKeyRule::Way>("way");
        QTest::addColumn<QString>("normalized");
        using W = BossKeyRule::Way;
        QTest::newRow("X11 grabs") << true << "xcb" << false << "Alt+Q" << W::X11Grab << "Alt+Q";
        QTest::newRow("X11 grabs even with a portal") << true << "xcb" << true << "Alt+Q" << W::X11Grab << "Alt+Q";
        QTest::newRow("Wayland with the portal") << true << "wayland" << true << "Alt+Q" << W::Portal << "Alt+Q";
        QTest::newRow("Wayland without") << true << "wayland" << false << "Alt+Q" << W::WindowOnly << "Alt+Q";
        QTest::newRow("other platform, portal") << true << "offscreen" << true << "Ctrl+B" << W::Portal << "Ctrl+B";
        QTest::newRow("switched off") << false << "xcb" << true << "Alt+Q" << W::Off << "Alt+Q";
        QTest::newRow("the form's spaced text") << true << "xcb" << false << "Alt + Q" << W::X11Grab << "Alt+Q";
        QTest::newRow("lower case") << true << "xcb" << false << "ctrl+shift+b" << W::X11Grab << "Ctrl+Shift+B";
        QTest::newRow("function key alone") << true << "xcb" << false << "F9" << W::X11Grab << "F9";
        QTest::newRow("Meta chord") << true << "wayland" << true << "Meta+H" << W::Portal << "Meta+H";
        QTest::newRow("a letter alone") << true << "xcb" << true << "Q" << W::Unusable << "";
        QTest::newRow("Shift is not enough") << true << "xcb" << true << "Shift+Q" << W::Unusable << "";
        QTest::newRow("modifiers only") << true << "xcb" << true << "Ctrl+Alt" << W::Unusable << "";
        QTest::newRow("two chords") << true << "xcb" << true << "Alt+Q, Alt+W" << W::Unusable << "";
        QTest::newRow("empty") << true << "xcb" << true << "" << W::Unusable << "";
        QTest::newRow("words") << true << "wayland" << true << "老板键" << W::Unusable << "";
    }

    void keyTextAndDesktopDecideTheWay()
    {
        QFETCH(bool, enabled);
        QFETCH(QString, platform);
        QFETCH(bool, portal);
        QFETCH(QString, keys);
        QFETCH(BossKeyRule::Way, way);
        QFETCH(QString, normalized);
        QCOMPARE(BossKeyRule::decide(enabled, platform, portal, keys), way);
        QCOMPARE(BossKeyRule::parse(keys).toString(QKeySequence::PortableText), normalized);
    }

    // Each way and failure names its own case; every way that is not global
    // points to the command the desktop can bind.
    void labelSaysWhichApplies()
    {
        using W = BossKeyRule::Way;
        using F = BossKeyRule::Failure;
        const QString command = QStringLiteral("KorvoClient --toggle");
        QVERIFY(BossKeyRule::label(W::X11Grab, F::None).startsWith(QStringLiteral("全局有效")));
        QVERIFY(BossKeyRule::label(W::Portal, F::None).contains(QStringLiteral("桌面的全局快捷键服务")));
        QVERIFY(BossKeyRule::label(W::WindowOnly, F::None).contains(command));
        QVERIFY(BossKeyRule::label(W::X11Grab, F::Taken).contains(QStringLiteral("已被其他程序占用")));
        QVERIFY(BossKeyRule::label(W::X11Grab, F::NotOnKeyboard).contains(QStringLiteral("键盘上没有此键")));
        QVERIFY(BossKeyRule::label(W::Portal, F::Refused).contains(QStringLiteral("桌面没有接受")));
        for (F failure : {F::Taken, F::NotOnKeyboard, F::Refused})
            QVERIFY(BossKeyRule::label(W::X11Grab, failure).contains(command));
        QVERIFY(BossKeyRule::label(W::Unusable, F::None).contains(QStringLiteral("不能用作老板键")));
    }

    void windowKeyIsAltQAndTheConfiguredChord_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("local");
        QTest::newRow("Alt+Q as always") << "Ctrl+B" << int(Qt::Key_Q) << int(Qt::AltModifier) << true;
        QTest::newRow("the configured chord") << "Ctrl+B" << int(Qt::Key_B) << int(Qt::ControlModifier) << true;
        QTest::newRow("keypad flag ignored") << "Ctrl+B" << int(Qt::Key_B)
                                            << int(Qt::ControlModifier | Qt::KeypadModifier) << true;
        QTest::newRow("extra modifier") << "Ctrl+B" << int(Qt::Key_B) << int(Qt::ControlModifier | Qt::AltModifier)
                                        << false;
        QTest::newRow("Ctrl+Alt+Q") << "Alt+Q" << int(Qt::Key_Q) << int(Qt::ControlModifier | Qt::AltModifier)
                                    << false;
        QTest::newRow("unusable text leaves Alt+Q") << "B" << int(Qt::Key_B) << int(Qt::NoModifier) << false;
    }

    void windowKeyIsAltQAndTheConfiguredChord()
    {
        QFETCH(QString, keys);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, local);
        QCOMPARE(BossKeyRule::isLocalKey(keys, key, Qt::KeyboardModifiers(modifiers)), local);
    }

    void portalTriggerUsesTheShortcutNames_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("trigger");
        QTest::newRow("letter in lower case") << "Alt+Q" << "ALT+q";
        QTest::newRow("all modifiers") << "Ctrl+Alt+Shift+Meta+B" << "CTRL+ALT+SHIFT+LOGO+b";
        QTest::newRow("function key") << "Ctrl+F9" << "CTRL+F9";
        QTest::newRow("unusable") << "Q" << "";
    }

    void portalTriggerUsesTheShortcutNames()
    {
        QFETCH(QString, keys);
        QFETCH(QString, trigger);
        QCOMPARE(BossKeyRule::portalTrigger(BossKeyRule::parse(keys)), trigger);
    }

    void onlyAWindowOutOfSightNotifies_data()
    {
        QTest::addColumn<NotifyRule::Event>("event");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("minimized");
        QTest::addColumn<bool>("notify");
        using E = NotifyRule::Event;
        for (E event : {E::SignedOutElsewhere, E::UpdateFound, E::TabCameBack}) {
            QTest::addRow("event %d in view", int(event)) << event << true << false << false;
            QTest::addRow("event %d hidden", int(event)) << event << false << false << true;
            QTest::addRow("event %d minimized", int(event)) << event << true << true << true;
        }
    }

    void onlyAWindowOutOfSightNotifies()
    {
        QFETCH(NotifyRule::Event, event);
        QFETCH(bool, visible);
        QFETCH(bool, minimized);
        QFETCH(bool, notify);
        QCOMPARE(NotifyRule::shouldNotify(visible, minimized, event), notify);
    }

    void noticeShowsOutsideTextAsShortPlainText_data()
    {
        QTest::addColumn<NotifyRule::Event>("event");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("body");
        using E = NotifyRule::Event;
        QTest::newRow("portal message") << E::SignedOutElsewhere << "账号在别处登录" << "账号已退出" << "账号在别处登录";
        QTest::newRow("no message") << E::SignedOutElsewhere << "" << "账号已退出" << "您的账号已在别处登录，本机已退出登录。";
        QTest::newRow("markup is text") << E::SignedOutElsewhere << "<a href='x'>点我</a>" << "账号已退出"
                                        << "&lt;a href='x'&gt;点我&lt;/a&gt;";
        QTest::newRow("tab title") << E::TabCameBack << "三国\n页游" << "页面已恢复" << "“三国 页游”崩溃后已重新加载。";
        QTest::newRow("untitled tab") << E::TabCameBack << " " << "页面已恢复" << "一个页面崩溃后已重新加载。";
        QTest::newRow("update ignores detail") << E::UpdateFound << "x" << "发现新版本"
                                               << "Korvo游戏盒有新版本可以更新，打开窗口即可查看。";
        QTest::newRow("long title cut") << E::TabCameBack << QString(500, QLatin1Char('a')) << "页面已恢复"
                                        << QStringLiteral("“%1…”崩溃后已重新加载。").arg(QString(119, QLatin1Char('a')));
    }

    void noticeShowsOutsideTextAsShortPlainText()
    {
        QFETCH(NotifyRule::Event, event);
        QFETCH(QString, detail);
        QFETCH(QString, summary);
        QFETCH(QString, body);
        const NotifyRule::Notice notice = NotifyRule::notice(event, detail);
        QCOMPARE(notice.summary, summary);
        QCOMPARE(notice.body, body);
    }
};

QTEST_GUILESS_MAIN(TestBossKeyRule)
#include "tst_bosskeyrule.moc"
