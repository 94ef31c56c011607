#include "shell/framegeometry.h"
#include "account/loginform.h"
#include "app/settings.h"
#include "dialogs/auxwindows.h"
#include "shell/windowactivator.h"
#include "standinportal.h"
#include "testmainframe.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {
constexpr int kWait = 5000;

bool clickAt(const QPoint &global, int times = 1)
{
    return pointTo(global)
        && xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(times),
                    QStringLiteral("--delay"), QStringLiteral("60"), QStringLiteral("1")});
}

QPoint centreOf(const QWidget *widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

template<typename T>
T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

void openDialog(TestMainFrame &frame, const QString &which)
{
    if (which == QLatin1String("login")) frame.showLoginWindow();
    else if (which == QLatin1String("settings")) frame.showSettingWindow();
    else if (which == QLatin1String("about")) frame.showAboutWindow();
    else if (which == QLatin1String("close")) frame.windowClose();
    else if (which == QLatin1String("skin")) frame.auxWindows()->showSkin();
    else if (which == QLatin1String("cache")) frame.auxWindows()->showClearCache();
    else if (which == QLatin1String("update")) frame.auxWindows()->showUpdate();
}
}

// The main window and the login dialog driven through the X server with
// xdotool, checked by what the user would see.
class TestRealInput final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<StandInPortal> m_portal;

    static bool showFrame(TestMainFrame &frame)
    {
        frame.show();
        frame.activateWindow();
        return QTest::qWaitForWindowActive(&frame);
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is not installed");
        if (QGuiApplication::platformName() != QLatin1String("xcb") || qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("no X display");
        // The pages of every window here come from the stand-in portal.
        m_dir = std::make_unique<TestAppDir>();
        m_portal = std::make_unique<StandInPortal>(m_dir->path());
        QVERIFY(m_portal->start());
    }

    // Every case starts with a window of the default size and state: the
    // window remembers those across starts, and the cases share a settings file.
    void init()
    {
        Settings settings;
        settings.remove(QStringLiteral("window/geometry"));
        settings.remove(QStringLiteral("window/maximized"));
    }

    void edgesResizeAndTheTitleMoves_data()
    {
        QTest::addColumn<int>("edges");  // where the drag starts; none: the title bar
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<int>("cursor");  // the shape the hover shows there
        QTest::addColumn<bool>("maximized");
        QTest::newRow("left edge") << int(FrameGeometry::EdgeLeft) << QPoint(-40, 0) << int(Qt::SizeHorCursor) << false;
        QTest::newRow("right edge") << int(FrameGeometry::EdgeRight) << QPoint(50, 0) << int(Qt::SizeHorCursor) << false;
        QTest::newRow("bottom edge") << int(FrameGeometry::EdgeBottom) << QPoint(0, 40) << int(Qt::SizeVerCursor) << false;
        QTest::newRow("bottom-right corner") << int(FrameGeometry::EdgeBottom | FrameGeometry::EdgeRight) << QPoint(50, 40)
                                             << int(Qt::SizeFDiagCursor) << false;
        QTest::newRow("title bar") << int(FrameGeometry::EdgeNone) << QPoint(60, 30) << int(Qt::ArrowCursor) << false;
        QTest::newRow("title bar, maximized") << int(FrameGeometry::EdgeNone) << QPoint(60, 30) << int(Qt::ArrowCursor)
                                              << true;
    }

    void edgesResizeAndTheTitleMoves()
    {
        QFETCH(int, edges);
        QFETCH(QPoint, delta);
        QFETCH(int, cursor);
        QFETCH(bool, maximized);
        TestMainFrame frame;
        QVERIFY(showFrame(frame));
        const QRect start = frame.frameGeometry();
        // Inside the window, one pixel from the edge; the title bar above the tabs.
        const QPoint from(edges & FrameGeometry::EdgeLeft ? start.left() + 1
                          : edges & FrameGeometry::EdgeRight ? start.right() - 1 : start.center().x(),
                          edges & FrameGeometry::EdgeBottom ? start.bottom() - 1
                          : edges == FrameGeometry::EdgeNone ? start.top() + 6 : start.center().y());
        if (maximized) {
            QVERIFY(clickAt(from, 2));
            QTRY_VERIFY_WITH_TIMEOUT(frame.isMaximized(), kWait);
        }
        const QRect before = frame.frameGeometry();

        QVERIFY(pointTo(from));
        QTRY_COMPARE_WITH_TIMEOUT(int(frame.cursor().shape()), cursor, kWait);
        QVERIFY(xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::mouseButtons(), Qt::LeftButton, kWait);
        const QPoint to = from + delta;
        QVERIFY(pointTo(to));
        QVERIFY(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
        // The release comes after the drag, so once it is seen the drag has been handled.
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::mouseButtons(), Qt::NoButton, kWait);

        QRect expected = before;  // a maximized window stays where it is
        if (!maximized && edges == FrameGeometry::EdgeNone)
            expected.translate(delta);
        if (edges & FrameGeometry::EdgeLeft)
            expected.setLeft(to.x());
        if (edges & FrameGeometry::EdgeRight)
            expected.setRight(to.x());
        if (edges & FrameGeometry::EdgeBottom)
            expected.setBottom(to.y());
        QTRY_COMPARE_WITH_TIMEOUT(frame.frameGeometry(), expected, kWait);
        QCOMPARE(frame.isMaximized(), maximized);
    }

    // Each dialog belongs to the main window, opens with the keyboard in its
    // first field, and goes away by Escape or by Return on its default button.
    void dialogsTakeTheKeyboardAndCloseByKey_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("focused");  // object name of the widget that has the focus
        QTest::addColumn<QString>("key");
        // Before the settings are saved: the close choice asks only while there is none.
        QTest::newRow("close choice, Escape") << QStringLiteral("close") << QStringLiteral("SaveBtn")
                                              << QStringLiteral("Escape");
        QTest::newRow("login, Escape") << QStringLiteral("login") << QStringLiteral("login_AccountTxt")
                                       << QStringLiteral("Escape");
        // The boss key's field is the settings' one text field; Return saves from it.
        QTest::newRow("settings, Escape") << QStringLiteral("settings") << QStringLiteral("BossKeyEdit")
                                          << QStringLiteral("Escape");
        QTest::newRow("settings, Return saves") << QStringLiteral("settings") << QStringLiteral("BossKeyEdit")
                                                << QStringLiteral("Return");
        QTest::newRow("about, Escape") << QStringLiteral("about") << QStringLiteral("SureButton")
                                       << QStringLiteral("Escape");
        QTest::newRow("about, Return") << QStringLiteral("about") << QStringLiteral("SureButton")
                                       << QStringLiteral("Return");
        QTest::newRow("skins, Escape") << QStringLiteral("skin") << QStringLiteral("CloseButton") << QStringLiteral("Escape");
        QTest::newRow("cache, Escape") << QStringLiteral("cache") << QStringLiteral("clearButton")
                                       << QStringLiteral("Escape");
        // What it shows depends on the update check that runs at start.
        QTest::newRow("update, Escape") << QStringLiteral("update") << QString() << QStringLiteral("Escape");
    }

    void dialogsTakeTheKeyboardAndCloseByKey()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, focused);
        QFETCH(QString, key);
        TestMainFrame frame;
        QVERIFY(showFrame(frame));
        openDialog(frame, dialog);
        QWidget *form = QApplication::activeModalWidget();
        QVERIFY(form && form != &frame);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->windowHandle()->transientParent(), frame.windowHandle());
        auto focusName = [] {
            QWidget *focus = QApplication::focusWidget();
            // An editable combo box types into its line edit.
            return !focus ? QString() : focus->objectName().isEmpty() ? focus->parentWidget()->objectName()
                                                                       : focus->objectName();
        };
        QTRY_VERIFY_WITH_TIMEOUT(form->isAncestorOf(QApplication::focusWidget()), kWait);
        if (!focused.isEmpty())
            QTRY_COMPARE_WITH_TIMEOUT(focusName(), focused, kWait);
        screenShot(QStringLiteral("dialog-") + dialog);
        QVERIFY(xdotool({QStringLiteral("key"), key}));
        QTRY_VERIFY_WITH_TIMEOUT(!form->isVisible(), kWait);
        QCOMPARE(frame.quitRequests, 0);
    }

    // A second start or a shortcut brings back a window that another one covers.
    void aCoveredWindowComesToTheFront()
    {
        TestMainFrame frame;
        QVERIFY(showFrame(frame));
        QWidget cover;
        cover.setGeometry(frame.geometry());
        cover.show();
        cover.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&cover));
        const QPoint middle = frame.geometry().center();
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::topLevelAt(middle), &cover, kWait);

        WindowActivator::bringToFront(&frame, QByteArrayLiteral("launcher-1_TIME0"));
        QTRY_VERIFY_WITH_TIMEOUT(frame.isActiveWindow(), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::topLevelAt(middle), &frame, kWait);
    }

    void returnAndEnterLogInOnceFromEitherField_data()
    {
        QTest::addColumn<bool>("fromAccount");  // which field has the focus at the key press
        QTest::addColumn<QString>("key");
        QTest::newRow("Return, password field") << false << QStringLiteral("Return");
        QTest::newRow("keypad Enter, password field") << false << QStringLiteral("KP_Enter");
        QTest::newRow("Return, account field") << true << QStringLiteral("Return");
        QTest::newRow("keypad Enter, account field") << true << QStringLiteral("KP_Enter");
    }

    void returnAndEnterLogInOnceFromEitherField()
    {
        QFETCH(bool, fromAccount);
        QFETCH(QString, key);
        m_portal->control({{QStringLiteral("op"), QStringLiteral("clear_log")}});
        TestMainFrame frame;
        QVERIFY(showFrame(frame));
        auto *loginBtn = child<QPushButton>(&frame, "loginBtn");
        QVERIFY(clickAt(centreOf(loginBtn)));
        LoginForm *form = frame.loginForm();
        QTRY_VERIFY_WITH_TIMEOUT(form->isVisible(), kWait);
        QVERIFY(QTest::qWaitForWindowExposed(form));

        QLineEdit *account = child<QComboBox>(form, "login_AccountTxt")->lineEdit();
        auto *password = child<QLineEdit>(form, "login_PasswordTxt");
        QList<QPair<QLineEdit *, QString>> entries{{account, QStringLiteral("korvo")},
                                                  {password, QStringLiteral("korvo123")}};
        if (fromAccount)
            std::swap(entries[0], entries[1]);
        for (const auto &entry : entries) {
            QVERIFY(clickAt(centreOf(entry.first)));
            QTRY_VERIFY_WITH_TIMEOUT(entry.first->hasFocus(), kWait);
            QVERIFY(xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), entry.second}));
            QTRY_COMPARE_WITH_TIMEOUT(entry.first->text(), entry.second, kWait);
        }
        QVERIFY(xdotool({QStringLiteral("key"), key}));

        QTRY_COMPARE_WITH_TIMEOUT(loginBtn->text(), QStringLiteral("科沃玩家"), 10000);
        QVERIFY(!form->isVisible());
        QCOMPARE(m_portal->gatewayTexts().filter(QStringLiteral("sign=user_login")).size(), 1);
    }

    void trayShowBringsBackTheStateTheWindowHad_data()
    {
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<QString>("leaveBy");  // the title button that takes the window away
        QTest::newRow("maximized, minimized") << true << QStringLiteral("minBtn");
        QTest::newRow("normal, minimized") << false << QStringLiteral("minBtn");
        QTest::newRow("maximized, closed to the tray") << true << QStringLiteral("closeBtn");
    }

    void trayShowBringsBackTheStateTheWindowHad()
    {
        QFETCH(bool, maximized);
        QFETCH(QString, leaveBy);
        TestMainFrame frame;
        frame.settings()->setValue(QStringLiteral("common/exittype"), QStringLiteral("tray"));
        QVERIFY(showFrame(frame));
        if (maximized) {
            QVERIFY(clickAt(centreOf(child<QPushButton>(&frame, "maxBtn"))));
            QTRY_VERIFY_WITH_TIMEOUT(frame.isMaximized(), kWait);
        }
        QVERIFY(clickAt(centreOf(frame.findChild<QPushButton *>(leaveBy))));
        QTRY_VERIFY_WITH_TIMEOUT(frame.isMinimized() || !frame.isVisible(), kWait);
        // A hidden window loses the focus a moment later; the way to the tray takes a user longer.
        if (!frame.isVisible())
            QTRY_VERIFY_WITH_TIMEOUT(!QGuiApplication::focusWindow(), kWait);

        // The X server of the tests has no tray to click: the menu's action stands in for it.
        QMenu *menu = nullptr;
        for (QWidget *widget : QApplication::allWidgets())
            if (widget->objectName() == QLatin1String("trayMenu"))
                menu = qobject_cast<QMenu *>(widget);
        QAction *show = menu ? menu->actions().value(0) : nullptr;
        QVERIFY(show && show->text() == QStringLiteral("显示窗口"));
        show->trigger();

        QTRY_VERIFY_WITH_TIMEOUT(frame.isVisible() && !frame.isMinimized(), kWait);
        QCOMPARE(frame.isMaximized(), maximized);
        QTRY_VERIFY_WITH_TIMEOUT(frame.isActiveWindow(), kWait);
    }
};

QTEST_MAIN(TestRealInput)
#include "tst_realinput.moc"
