#include "shell/bossmute.h"
#include "net/portal.h"
#include "app/settings.h"
#include "web/tabwidget.h"
#include "testmainframe.h"
#include "testsupport.h"
#include "shell/trayicon.h"
#include "web/webview.h"

#include <QPushButton>
#include <QtTest>

// The boss key's silence in the real main window: three tabs, one muted by
// the user, hidden and brought back by each way there is.
class TestBossMute final : public QObject
{
    Q_OBJECT

private:
    static QPushButton *voiceButton(QWidget *tab)
    {
        for (QPushButton *button : tab->findChildren<QPushButton *>()) {
            if (button->objectName().endsWith(QLatin1String("VoiceBtn")))
                return button;
        }
        return nullptr;
    }
    static QList<bool> muteStates(TabWidget *tabs)
    {
        QList<bool> states;
        for (int index = 0; index < tabs->count(); ++index) {
            for (WebView *view : tabs->widget(index)->findChildren<WebView *>())
                states.append(view->page()->isAudioMuted());
        }
        return states;
    }

private slots:
    void hidingMutesEveryPageAndReturnRestoresEachOne_data()
    {
        QTest::addColumn<QString>("hideBy");
        QTest::addColumn<QString>("returnBy");
        QTest::newRow("boss key, tray") << QStringLiteral("key") << QStringLiteral("tray");
        QTest::newRow("eye button, second start") << QStringLiteral("eye") << QStringLiteral("show");
    }

    void hidingMutesEveryPageAndReturnRestoresEachOne()
    {
        QFETCH(QString, hideBy);
        QFETCH(QString, returnBy);
        TestAppDir dir;
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        TabWidget *tabs = frame.tabWidget();
        QVERIFY(tabs->createGamePlayTab(QUrl(Portal::portalRoot() + QStringLiteral("/game_play/101.html"))));
        QWidget *muted = tabs->currentWidget();
        QVERIFY(tabs->createGamePlayTab(QUrl(Portal::portalRoot() + QStringLiteral("/game_play/101.html"))));
        QWidget *playing = tabs->currentWidget();
        tabs->setCurrentWidget(muted);
        QTest::mouseClick(voiceButton(muted), Qt::LeftButton);
        const QList<bool> before = muteStates(tabs);
        // One muted by the player, the other waiting for the front, as sound follows it.
        QCOMPARE(before, QList<bool>({false, false, true, true}));
        QCOMPARE(before.size(), 4);  // the home tab's two views and one per game tab

        if (hideBy == QLatin1String("key"))
            QTest::keyRelease(&frame, Qt::Key_Q, Qt::AltModifier);
        else
            QTest::mouseClick(playing->findChild<QPushButton *>(QStringLiteral("hostBar_EyeBtn")), Qt::LeftButton);
        QVERIFY(!frame.isVisible());
        QVERIFY(!muteStates(tabs).contains(false));

        if (returnBy == QLatin1String("tray"))
            TrayIcon::showAgain(&frame);
        else
            frame.show();
        QCOMPARE(muteStates(tabs), before);
        QVERIFY(voiceButton(muted)->property("isMuted").toBool());
        QVERIFY(!voiceButton(playing)->property("isMuted").toBool());
        // A second round trip starts from the restored states, not the silenced ones.
        frame.bossMute()->hideWindow();
        frame.show();
        QCOMPARE(muteStates(tabs), before);
    }

    void switchedOffTheBossKeyOnlyHides()
    {
        TestAppDir dir;
        TestMainFrame frame;
        frame.settings()->setValue(QStringLiteral("extras/bossmute"), QStringLiteral("no"));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.bossMute()->hideWindow();
        QVERIFY(!frame.isVisible());
        QVERIFY(!muteStates(frame.tabWidget()).contains(true));
        QVERIFY(!frame.bossMute()->isSilencing());
    }
};

QTEST_MAIN(TestBossMute)
#include "tst_bossmute.moc"
