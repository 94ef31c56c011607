#include "web/backgroundplayrule.h"
#include "web/soundfocusrule.h"
#include "web/splitlayout.h"

#include <QtTest>

using Kind = BackgroundPlayRule::TabKind;
using Choice = BackgroundPlayRule::Choice;
Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Choice)
Q_DECLARE_METATYPE(TabContext::Kind)

// The rules behind games that play on out of sight, sound that follows the
// game in front and the split view that shows several at once.
class TestPlayRules final : public QObject
{
    Q_OBJECT

private slots:
    void tabKindByContainer_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("serverId");
        QTest::addColumn<Kind>("kind");
        QTest::newRow("home") << QStringLiteral("homeMainWidget") << QString() << Kind::Home;
        QTest::newRow("web page") << QStringLiteral("webtabOther") << QString() << Kind::Page;
        QTest::newRow("server list") << QStringLiteral("webtabHost") << QString() << Kind::WebGame;
        QTest::newRow("server played") << QStringLiteral("webtabHost") << QStringLiteral("101") << Kind::GamePlay;
        QTest::newRow("h5") << QStringLiteral("h5ToolBar") << QString() << Kind::H5Game;
        // A page that happens to carry a server id is still a page.
        QTest::newRow("page with a server") << QStringLiteral("webtabOther") << QStringLiteral("101") << Kind::Page;
        QTest::newRow("unnamed") << QString() << QString() << Kind::Page;
        // The split view holds games alone: it plays behind other tabs as they would.
        QTest::newRow("split view") << QStringLiteral("splitViewTab") << QString() << Kind::GamePlay;
    }

    void tabKindByContainer()
    {
        QFETCH(QString, container);
        QFETCH(QString, serverId);
        QFETCH(Kind, kind);
        QCOMPARE(BackgroundPlayRule::kindOf(container, serverId), kind);
    }

    void keepsRunning_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("settingOn");
        QTest::addColumn<Choice>("choice");
        QTest::addColumn<bool>("running");
        const QList<QPair<const char *, Kind>> games = {
            {"web game", Kind::WebGame}, {"h5", Kind::H5Game}, {"game play", Kind::GamePlay}};
        for (const auto &[name, kind] : games) {
            QTest::addRow("%s, setting on", name) << kind << true << Choice::Setting << true;
            QTest::addRow("%s, setting off", name) << kind << false << Choice::Setting << false;
            QTest::addRow("%s, setting off, tab keeps running", name) << kind << false << Choice::KeepRunning << true;
            QTest::addRow("%s, setting on, tab sleeps", name) << kind << true << Choice::Sleep << false;
        }
        // Pages sleep whatever the setting, and a stray choice on them changes nothing.
        for (const auto &[name, kind] : QList<QPair<const char *, Kind>>{{"home", Kind::Home}, {"page", Kind::Page}}) {
            QTest::addRow("%s, setting on", name) << kind << true << Choice::Setting << false;
            QTest::addRow("%s, asked to keep running", name) << kind << true << Choice::KeepRunning << false;
        }
    }

    void keepsRunning()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, settingOn);
        QFETCH(Choice, choice);
        QFETCH(bool, running);
        QCOMPARE(BackgroundPlayRule::keepsRunning(kind, settingOn, choice), running);
    }

    void soundMuted_data()
    {
        QTest::addColumn<bool>("game");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("pinned");
        QTest::addColumn<bool>("playerMuted");
        QTest::addColumn<bool>("silenced");
        QTest::addColumn<bool>("muted");
        QTest::newRow("game in focus plays") << true << true << false << false << false << false;
        QTest::newRow("game out of focus waits") << true << false << false << false << false << true;
        QTest::newRow("pinned game plays out of focus") << true << false << true << false << false << false;
        QTest::newRow("player's mute holds in focus") << true << true << false << true << false << true;
        QTest::newRow("player's mute holds on a pinned game") << true << false << true << true << false << true;
        QTest::newRow("boss key silences the focused game") << true << true << false << false << true << true;
        QTest::newRow("boss key silences a pinned game") << true << false << true << false << true << true;
        QTest::newRow("page plays out of focus") << false << false << false << false << false << false;
        QTest::newRow("page muted by the player") << false << false << false << true << false << true;
        QTest::newRow("page silenced by the boss key") << false << false << false << false << true << true;
    }

    void soundMuted()
    {
        QFETCH(bool, game);
        QFETCH(bool, focused);
        QFETCH(bool, pinned);
        QFETCH(bool, playerMuted);
        QFETCH(bool, silenced);
        QFETCH(bool, muted);
        SoundFocusRule::Tab tab;
        tab.game = game;
        tab.focused = focused;
        tab.pinned = pinned;
        tab.playerMuted = playerMuted;
        QCOMPARE(SoundFocusRule::muted(tab, silenced), muted);
    }

    void splitCells()
    {
        using Cell = SplitLayout::Cell;
        QVERIFY(SplitLayout::cells(0).isEmpty());
        QVERIFY(SplitLayout::cells(SplitLayout::maxPanes + 1).isEmpty());
        QCOMPARE(SplitLayout::cells(1), (QList<Cell>{{0, 0, 1, 1}}));
        QCOMPARE(SplitLayout::cells(2), (QList<Cell>{{0, 0, 1, 1}, {0, 1, 1, 1}}));
        // The third of three across the foot: no empty quarter.
        QCOMPARE(SplitLayout::cells(3), (QList<Cell>{{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 2}}));
        QCOMPARE(SplitLayout::cells(4), (QList<Cell>{{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}}));
    }

    void splitJoins_data()
    {
        QTest::addColumn<TabContext::Kind>("kind");
        QTest::addColumn<int>("panes");
        QTest::addColumn<bool>("joins");
        QTest::newRow("server played") << TabContext::GamePlay << 0 << true;
        QTest::newRow("h5 game, fourth pane") << TabContext::H5Game << 3 << true;
        QTest::newRow("server list") << TabContext::WebGame << 1 << true;
        QTest::newRow("split full") << TabContext::GamePlay << 4 << false;
        QTest::newRow("web page") << TabContext::Web << 0 << false;
        QTest::newRow("home") << TabContext::Home << 0 << false;
    }

    void splitJoins()
    {
        QFETCH(TabContext::Kind, kind);
        QFETCH(int, panes);
        QFETCH(bool, joins);
        QCOMPARE(SplitLayout::mayJoin(kind, panes), joins);
    }
};

QTEST_GUILESS_MAIN(TestPlayRules)
#include "tst_playrules.moc"
