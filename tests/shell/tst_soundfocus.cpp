#include "net/portal.h"
#include "shell/bossmute.h"
#include "shell/gamesessions.h"
#include "shell/gametabmenu.h"
#include "testmainframe.h"
#include "testsupport.h"
#include "web/tabwidget.h"
#include "web/webview.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

#include <algorithm>
#include <array>
#include <memory>

// Sound follows the game in front, in the real main window: which pages the
// engine is told to mute as the player moves between tabs, pins one, mutes
// one and hides the window.
class TestSoundFocus final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<TestMainFrame> m_frame;
    std::array<QWidget *, 3> m_games{};

    static QWebEnginePage *pageOf(QWidget *tab) { return tab->findChild<WebView *>()->page(); }
    // Muted or not, per game tab in order.
    static QList<bool> heard(const QList<QWidget *> &tabs)
    {
        QList<bool> states;
        for (QWidget *tab : tabs)
            states.append(!pageOf(tab)->isAudioMuted());
        return states;
    }
    // The last opened is in front.
    static QList<QWidget *> openGames(TabWidget *tabs, int count)
    {
        QList<QWidget *> games;
        for (int i = 0; i < count; ++i) {
            tabs->createGamePlayTab(QUrl(Portal::portalRoot() + QStringLiteral("/game_play/101.html")));
            games.append(tabs->currentWidget());
        }
        return games;
    }
    static void pin(TestMainFrame &frame, QWidget *tab, bool on)
    {
        TabWidget *tabs = frame.tabWidget();
        GameTabMenu *menu = frame.gameSessions()->tabMenu();
        menu->showMenu(tabs->tabBar()->tabRect(tabs->indexOf(tab)).center());
        QVERIFY(menu->menu());
        auto *action = menu->menu()->findChild<QAction *>(QStringLiteral("gameTabMenu_SoundPinAction"));
        QVERIFY(action);
        action->setChecked(on);
        menu->menu()->close();
    }

private slots:
    // Three games, the last opened in front.
    void init()
    {
        m_dir = std::make_unique<TestAppDir>();
        m_frame = std::make_unique<TestMainFrame>();
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
        const QList<QWidget *> games = openGames(m_frame->tabWidget(), 3);
        std::copy(games.begin(), games.end(), m_games.begin());
    }

    void cleanup()
    {
        m_games = {};
        m_frame.reset();
        m_dir.reset();
    }

    void soundFollowsTheGameInFront()
    {
        TestMainFrame &frame = *m_frame;
        TabWidget *tabs = frame.tabWidget();
        const auto [first, second, third] = m_games;
        const QList<QWidget *> games = {first, second, third};
        QCOMPARE(heard(games), QList<bool>({false, false, true}));

        tabs->setCurrentWidget(first);
        QCOMPARE(heard(games), QList<bool>({true, false, false}));
        // The home page in front takes the sound from no game.
        tabs->setCurrentIndex(0);
        QCOMPARE(heard(games), QList<bool>({true, false, false}));
        for (WebView *view : tabs->widget(0)->findChildren<WebView *>())
            QVERIFY(!view->page()->isAudioMuted());

        pin(frame, third, true);
        QCOMPARE(heard(games), QList<bool>({true, false, true}));
        tabs->setCurrentWidget(second);
        QCOMPARE(heard(games), QList<bool>({false, true, true}));
        pin(frame, third, false);
        QCOMPARE(heard(games), QList<bool>({false, true, false}));
    }

    // The sound button and the boss key lie on top and give back what they found.
    void playerMuteAndBossKeyHoldOnTop()
    {
        TestMainFrame &frame = *m_frame;
        TabWidget *tabs = frame.tabWidget();
        const auto [first, second, third] = m_games;
        const QList<QWidget *> games = {first, second, third};
        pin(frame, third, true);

        // The player mutes the game in front; it stays muted when it comes back.
        tabs->setCurrentWidget(first);
        QTest::mouseClick(first->findChild<QPushButton *>(QStringLiteral("hostBar_VoiceBtn")), Qt::LeftButton);
        QCOMPARE(heard(games), QList<bool>({false, false, true}));
        tabs->setCurrentWidget(second);
        tabs->setCurrentWidget(first);
        QCOMPARE(heard(games), QList<bool>({false, false, true}));

        frame.bossMute()->hideWindow();
        QCOMPARE(heard(games), QList<bool>({false, false, false}));
        frame.show();
        QCOMPARE(heard(games), QList<bool>({false, false, true}));
        // The game brought to the front while the window was away plays once it is back.
        frame.bossMute()->hideWindow();
        tabs->setCurrentWidget(second);
        QCOMPARE(heard(games), QList<bool>({false, false, false}));
        frame.show();
        QCOMPARE(heard(games), QList<bool>({false, true, true}));

        tabs->setCurrentWidget(first);
        QTest::mouseClick(first->findChild<QPushButton *>(QStringLiteral("hostBar_VoiceBtn")), Qt::LeftButton);
        QCOMPARE(heard(games), QList<bool>({true, false, true}));
    }
};

QTEST_MAIN(TestSoundFocus)
#include "tst_soundfocus.moc"
