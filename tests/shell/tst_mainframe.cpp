#include "dialogs/boxsettingform.h"
#include "dialogs/closesettingform.h"
#include "app/settings.h"
#include "account/sqlite.h"
#include "sqlitelock.h"
#include "web/tabwidget.h"
#include "testmainframe.h"
#include "testsupport.h"

#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QtTest>

class TestMainFrameShell final : public QObject
{
    Q_OBJECT

private:
    static void setSetting(MainFrame &frame, const char *key, const char *value)
    {
        frame.settings()->setValue(QLatin1String(key), QLatin1String(value));
    }

private slots:
    void closeButtonFollowsTheStoredChoice_data()
    {
        QTest::addColumn<QString>("exitType");
        QTest::addColumn<bool>("dialogShown");
        QTest::addColumn<bool>("windowVisible");
        QTest::addColumn<int>("quits");
        QTest::newRow("absent: ask") << QString() << true << true << 0;
        QTest::newRow("tray: hide") << QStringLiteral("tray") << false << false << 0;
        QTest::newRow("exit: quit") << QStringLiteral("exit") << false << true << 1;
        QTest::newRow("unknown value: hide") << QStringLiteral("whatever") << false << false << 0;
    }

    void closeButtonFollowsTheStoredChoice()
    {
        QFETCH(QString, exitType);
        QFETCH(bool, dialogShown);
        QFETCH(bool, windowVisible);
        QFETCH(int, quits);
        TestAppDir dir;
        TestMainFrame frame;
        if (!exitType.isNull())
            frame.settings()->setValue(QStringLiteral("common/exittype"), exitType);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        QTest::mouseClick(frame.findChild<QPushButton *>(QStringLiteral("closeBtn")), Qt::LeftButton);

        auto *dialog = frame.findChild<CloseSettingForm *>();
        QCOMPARE(dialog != nullptr && dialog->isVisible(), dialogShown);
        QCOMPARE(frame.isVisible(), windowVisible);
        QCOMPARE(frame.quitRequests, quits);
    }

    void trayShowActionBringsTheHiddenWindowBack()
    {
        TestAppDir dir;
        TestMainFrame frame;
        setSetting(frame, "common/exittype", "tray");
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.windowClose();
        QVERIFY(!frame.isVisible());

        QMenu *menu = nullptr;
        for (QWidget *widget : QApplication::allWidgets())
            if (widget->objectName() == QLatin1String("trayMenu"))
                menu = qobject_cast<QMenu *>(widget);
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("显示窗口"));
        QCOMPARE(menu->actions().at(1)->text(), QStringLiteral("退出"));
        QVERIFY(!menu->actions().at(0)->icon().isNull());
        menu->actions().at(0)->trigger();
        QVERIFY(frame.isVisible());
        menu->actions().at(1)->trigger();
        QCOMPARE(frame.quitRequests, 1);
    }

    void bossKeyHidesOnlyWhenEnabledWithAltQOrTheChosenKey_data()
    {
        QTest::addColumn<QString>("isUse");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("Alt+Q, enabled") << "yes" << int(Qt::Key_Q) << int(Qt::AltModifier) << true;
        QTest::newRow("Alt+Q, disabled") << "no" << int(Qt::Key_Q) << int(Qt::AltModifier) << false;
        QTest::newRow("the chosen key") << "yes" << int(Qt::Key_B) << int(Qt::ControlModifier) << true;
        QTest::newRow("the chosen key, disabled") << "no" << int(Qt::Key_B) << int(Qt::ControlModifier) << false;
        QTest::newRow("Ctrl+Alt+Q") << "yes" << int(Qt::Key_Q) << int(Qt::AltModifier | Qt::ControlModifier) << false;
        QTest::newRow("Alt+Shift+Q") << "yes" << int(Qt::Key_Q) << int(Qt::AltModifier | Qt::ShiftModifier) << false;
        QTest::newRow("Q alone") << "yes" << int(Qt::Key_Q) << int(Qt::NoModifier) << false;
        QTest::newRow("Alt+W") << "yes" << int(Qt::Key_W) << int(Qt::AltModifier) << false;
    }

    void bossKeyHidesOnlyWhenEnabledWithAltQOrTheChosenKey()
    {
        QFETCH(QString, isUse);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, hidden);
        TestAppDir dir;
        TestMainFrame frame;
        frame.settings()->setValue(QStringLiteral("bosskey/isuse"), isUse);
        frame.settings()->setValue(QStringLiteral("bosskey/keys"), QStringLiteral("Ctrl+B"));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTest::keyRelease(&frame, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(!frame.isVisible(), hidden);
    }

    void doubleClickTogglesMaximizedAndMaximizedWindowsDoNotMove()
    {
        TestAppDir dir;
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QPoint title(600, 20);
        QTest::mouseDClick(&frame, Qt::LeftButton, Qt::NoModifier, title);
        QTRY_VERIFY(frame.isMaximized());
        const QPoint before = frame.pos();
        QTest::mousePress(&frame, Qt::LeftButton, Qt::NoModifier, title);
        QMouseEvent drag(QEvent::MouseMove, QPointF(title + QPoint(80, 60)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&frame, &drag);
        QCOMPARE(frame.pos(), before);
        QVERIFY(frame.isMaximized());
        QTest::mouseDClick(&frame, Qt::LeftButton, Qt::NoModifier, title);
        QTRY_VERIFY(!frame.isMaximized());

        // Restored, the same drag moves the window with the cursor.
        const QPoint normal = frame.pos();
        QTest::mousePress(&frame, Qt::LeftButton, Qt::NoModifier, title);
        const QPoint target = frame.mapToGlobal(title) + QPoint(80, 60);
        QMouseEvent move(QEvent::MouseMove, QPointF(frame.mapFromGlobal(target)), QPointF(target), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&frame, &move);
        QTRY_COMPARE(frame.pos(), normal + QPoint(80, 60));
    }

    void sizePositionAndMaximizedSurviveARestart_data()
    {
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<QRect>("expected");
        // The tests' screen is 1920 x 1080.
        QTest::newRow("normal") << QRect(100, 120, 1300, 760) << false << QRect(100, 120, 1300, 760);
        QTest::newRow("maximized") << QRect(60, 40, 1100, 700) << true << QRect(60, 40, 1100, 700);
        QTest::newRow("partly off the screen") << QRect(1500, 700, 1100, 700) << false << QRect(820, 380, 1100, 700);
    }

    void sizePositionAndMaximizedSurviveARestart()
    {
        QFETCH(QRect, geometry);
        QFETCH(bool, maximized);
        QFETCH(QRect, expected);
        TestAppDir dir;
        {
            TestMainFrame frame;
            frame.show();
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            frame.setGeometry(geometry);
            QTRY_COMPARE(frame.geometry(), geometry);
            if (maximized)
                frame.windowMax();
            QTRY_COMPARE(frame.settings()->value(QStringLiteral("window/maximized")).toString(),
                         QLatin1String(maximized ? "yes" : "no"));
        }
        TestMainFrame again;
        QCOMPARE(again.geometry(), expected);
        QCOMPARE(again.isMaximized(), maximized);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.isMaximized(), maximized);
    }

    void startsAtTheSpecifiedSizeWithEveryTitleIcon()
    {
        TestAppDir dir;
        TestMainFrame frame;
        QCOMPARE(frame.objectName(), QStringLiteral("MainFrameObject"));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Korvo游戏盒"));
        QCOMPARE(frame.size(), QSize(1280, 730));
        QCOMPARE(frame.minimumSize(), QSize(1024, 690));
        QVERIFY(frame.windowFlags() & Qt::FramelessWindowHint);
        for (const char *name : {"loginBtn", "skinBtn", "settingBtn", "minBtn", "maxBtn", "closeBtn"}) {
            auto *button = frame.findChild<QPushButton *>(QLatin1String(name));
            QVERIFY2(button && !button->icon().isNull(), name);
            QVERIFY2(!button->icon().pixmap(16, 16).isNull(), name);
        }
        // The home tab is the only tab at start, and it offers no close button.
        QCOMPARE(frame.tabWidget()->count(), 1);
        QVERIFY(frame.tabWidget()->tabsClosable());
        QVERIFY(!frame.tabWidget()->tabBar()->tabButton(0, QTabBar::RightSide));
        QVERIFY(!frame.tabWidget()->tabBar()->tabButton(0, QTabBar::LeftSide));

        auto *menu = frame.findChild<QMenu *>(QStringLiteral("mainFrameBoxMenu"));
        QVERIFY(menu);
        QStringList texts;
        for (QAction *action : menu->actions()) {
            texts << action->text();
            QVERIFY2(!action->icon().isNull(), qPrintable(action->text()));
        }
        QCOMPARE(texts, (QStringList{QStringLiteral("设置"), QStringLiteral("资源占用"), QStringLiteral("全部账号签到"),
                                     QStringLiteral("访问官网"), QStringLiteral("检查更新"), QStringLiteral("关于")}));
    }

    void skinPictureIsDrawnInTheTopRightCorner()
    {
        TestAppDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("themes/red")));
        QImage photo(120, 40, QImage::Format_RGB32);
        photo.fill(QColor(200, 10, 10));
        QVERIFY(photo.save(dir.filePath(QStringLiteral("themes/red/photo.jpg")), "JPG", 100));
        QFile style(dir.filePath(QStringLiteral("themes/red/style.qss")));
        QVERIFY(style.open(QIODevice::WriteOnly));
        style.write("#MainFrameObject{background:rgb(10,10,200);}");
        style.close();

        TestMainFrame frame;
        frame.applySkin(QStringLiteral("red"));
        QCOMPARE(frame.services().skinDirectory, dir.filePath(QStringLiteral("themes/red/")));
        QVERIFY(qApp->styleSheet().contains(QStringLiteral("rgb(10,10,200)")));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QImage shot = frame.grab().toImage();
        const QColor corner = shot.pixelColor(shot.width() - 5, 5);
        QVERIFY2(corner.red() > 150 && corner.blue() < 80, qPrintable(corner.name()));

        frame.applySkin(QStringLiteral("default"));
        QVERIFY(frame.services().skinDirectory.isEmpty());
        QVERIFY(!qApp->styleSheet().contains(QStringLiteral("rgb(10,10,200)")));
    }

    void toolWindowsOpenCentredOverTheMainWindow()
    {
        TestAppDir dir;
        TestMainFrame frame;
        frame.move(40, 30);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.showSettingWindow();
        auto *dialog = frame.findChild<BoxSettingForm *>();
        QVERIFY(dialog && dialog->isVisible());
        const QPoint offset = dialog->frameGeometry().center() - frame.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 4, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));

        // A notice over that dialog is centred over it too, so over the main window.
        auto *notice = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("提示"), QStringLiteral("网络异常,请稍后重试"),
                                       QMessageBox::Ok, dialog);
        notice->setAttribute(Qt::WA_DeleteOnClose);
        notice->open();
        QVERIFY(QTest::qWaitForWindowExposed(notice));
        const QPoint noticeOffset = notice->frameGeometry().center() - frame.frameGeometry().center();
        QVERIFY2(noticeOffset.manhattanLength() <= 4,
                 qPrintable(QStringLiteral("%1,%2").arg(noticeOffset.x()).arg(noticeOffset.y())));
        notice->close();
    }

    void storageProblemIsToldOnceAfterTheWindowShows_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("held");   // by another program
        QTest::addColumn<QString>("told");
        QTest::newRow("damaged account store") << "vmgamebox.db" << QByteArray("not a database at all").repeated(50)
                                               << false << "vmgamebox.db.damaged-";
        QTest::newRow("account store held by another program") << "vmgamebox.db" << QByteArray() << true
                                                               << "正被其他程序占用";
        QTest::newRow("unreadable settings") << "velmorbox.ini" << QByteArray("[common\nboot=yes\n\0\1") << false
                                             << "velmorbox.ini.damaged-";
    }

    void storageProblemIsToldOnceAfterTheWindowShows()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(bool, held);
        QFETCH(QString, told);
        TestAppDir dir;
        QFile stored(dir.filePath(file));
        QVERIFY(stored.open(QIODevice::WriteOnly));
        stored.write(content);
        stored.close();
        std::unique_ptr<SqliteLock> lock;
        if (held) {
            lock = std::make_unique<SqliteLock>(stored.fileName());
            QVERIFY(lock->isHeld());
        }
        const auto noticeBoxes = [] {
            QList<QMessageBox *> shown;
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                    shown << box;
            }
            return shown;
        };

        TestMainFrame frame;
        QCoreApplication::processEvents();
        QVERIFY(noticeBoxes().isEmpty());
        frame.show();
        QTRY_COMPARE(noticeBoxes().size(), 1);
        QMessageBox *box = noticeBoxes().first();
        QCOMPARE(box->parentWidget(), &frame);
        QVERIFY(box->isModal());
        QCOMPARE(box->windowTitle(), QStringLiteral("提示"));
        QVERIFY2(box->text().contains(told), qPrintable(box->text()));
        // Readable whole: no line cut off.
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label);
        QVERIFY2(label->width() >= label->sizeHint().width(),
                 qPrintable(QStringLiteral("%1 < %2").arg(label->width()).arg(label->sizeHint().width())));
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttons().first()->text(), QStringLiteral("确定"));
        // Whatever was moved aside is where the notice says.
        const QString aside = box->text().section(QLatin1Char('\n'), 1, 1);
        QVERIFY(held || QFile(aside).size() == content.size());
        box->buttons().first()->click();
        QTRY_VERIFY(noticeBoxes().isEmpty());

        // The same problem again in this run is not told again.
        frame.sqlite()->accountByName(QStringLiteral("korvo"));
        frame.hide();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        // Time passes on purpose: a notice told again would be up by now.
        QTest::qWait(100);
        QVERIFY(noticeBoxes().isEmpty());
    }

    void defaultSkinStyleSheetsPointAtTheApplicationIcons()
    {
        TestAppDir dir;
        TestMainFrame frame;
        frame.applySkin(QStringLiteral("default"));
        const QString sheet = qApp->styleSheet();
        QVERIFY(!sheet.isEmpty());
        QVERIFY(!sheet.contains(QStringLiteral("url(icons_Korvo")));
    }
};

QTEST_MAIN(TestMainFrameShell)
#include "tst_mainframe.moc"
