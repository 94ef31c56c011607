#include "web/desktopshortcut.h"
#include "web/rememberedgames.h"
#include "app/settings.h"
#include "web/shortcutaddress.h"
#include "web/shortcuttoken.h"
#include "testsupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

Q_DECLARE_METATYPE(GameTab)

namespace {
GameTab tab(const QString &kind, const QString &host, const QString &server, const QString &account,
            bool main = false, const QString &game = QString())
{
    GameTab game_;
    game_.kind = kind;
    game_.host = host;
    game_.serverId = server;
    game_.account = account;
    game_.mainAccount = main;
    game_.game = game;
    return game_;
}
}

namespace QTest {
template <>
char *toString(const GameTab &game)
{
    return qstrdup(QStringLiteral("%1 %2 %3 %4 main=%5 split=%6 '%7'")
                       .arg(game.kind, game.host, game.serverId, game.account)
                       .arg(game.mainAccount)
                       .arg(game.inSplit)
                       .arg(game.game)
                       .toUtf8()
                       .constData());
}
}

// The rules of sessions that come back and of game shortcuts: the stored
// list of games and the shortcut address, both read from places a hostile
// program or a damaged file can fill, and the desktop entry written for a tab.
class TestGameSessionRules final : public QObject
{
    Q_OBJECT

private slots:
    void storedGamesAreReadSkippingWhatIsDamaged_data();
    void storedGamesAreReadSkippingWhatIsDamaged();
    void gamesSurviveTheIniFile();
    void storedGamesAreFoundByTheNextStartOnly_data();
    void storedGamesAreFoundByTheNextStartOnly();
    void shortcutAddressesAreParsed_data();
    void shortcutAddressesAreParsed();
    void builtAddressesParseBack_data();
    void builtAddressesParseBack();
    void desktopEntriesAreValidAndQuoteTheAddress();
    void shortcutTokenIsKeptAndMatchedExactly();
};

void TestGameSessionRules::storedGamesAreReadSkippingWhatIsDamaged_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QList<GameTab>>("expected");

    const QByteArray mainPlay = R"({"kind":"play","host":"xianxia","server":"108","game":"仙侠","account":"korvo","main":true})";
    const QByteArray smallWeb = R"({"kind":"web","host":"sanguo","account":"korvo_xh1","main":false})";
    const GameTab mainTab = tab(QStringLiteral("play"), QStringLiteral("xianxia"), QStringLiteral("108"),
                                QStringLiteral("korvo"), true, QStringLiteral("仙侠"));
    const GameTab smallTab = tab(QStringLiteral("web"), QStringLiteral("sanguo"), QString(), QStringLiteral("korvo_xh1"));

    QTest::newRow("two games") << "[" + mainPlay + "," + smallWeb + "]" << QList<GameTab>{mainTab, smallTab};
    GameTab splitTab = smallTab;
    splitTab.inSplit = true;
    QTest::newRow("a game in the split") << "[" + smallWeb.chopped(1) + ",\"split\":true}]" << QList<GameTab>{splitTab};
    QTest::newRow("split flag as text") << "[" + smallWeb.chopped(1) + ",\"split\":\"yes\"}]" << QList<GameTab>{};
    QTest::newRow("a repeated game once") << "[" + smallWeb + "," + smallWeb + "]" << QList<GameTab>{smallTab};
    QTest::newRow("not json") << QByteArray("[{\"kind\":") << QList<GameTab>{};
    QTest::newRow("an object, not a list") << mainPlay << QList<GameTab>{};
    QTest::newRow("repeated key") << QByteArray(R"([{"kind":"web","kind":"h5","host":"a","account":"b","main":false}])")
                                  << QList<GameTab>{};
    QTest::newRow("entries of other types skipped")
        << "[1,\"x\",null,[]," + smallWeb + "]" << QList<GameTab>{smallTab};
    QTest::newRow("number where text belongs")
        << QByteArray(R"([{"kind":"play","host":"xianxia","server":108,"account":"korvo","main":true}])")
        << QList<GameTab>{};
    QTest::newRow("main flag as text")
        << QByteArray(R"([{"kind":"web","host":"xianxia","account":"korvo","main":"yes"}])") << QList<GameTab>{};
    QTest::newRow("unknown kind") << QByteArray(R"([{"kind":"exe","host":"x","account":"korvo","main":true}])")
                                  << QList<GameTab>{};
    QTest::newRow("host with a path")
        << QByteArray(R"([{"kind":"web","host":"../../etc","account":"korvo","main":true}])") << QList<GameTab>{};
    QTest::newRow("server with letters")
        << QByteArray(R"([{"kind":"play","host":"x","server":"1;drop","account":"korvo","main":true}])")
        << QList<GameTab>{};
    QTest::newRow("server on a server list")
        << QByteArray(R"([{"kind":"web","host":"x","server":"5","account":"korvo","main":true}])") << QList<GameTab>{};
    QTest::newRow("no account") << QByteArray(R"([{"kind":"web","host":"x","main":true}])") << QList<GameTab>{};
    QTest::newRow("account with a line break")
        << QByteArray(R"([{"kind":"web","host":"x","account":"a\nb","main":false}])") << QList<GameTab>{};
    QTest::newRow("overlong value")
        << "[{\"kind\":\"web\",\"host\":\"x\",\"account\":\"" + QByteArray(65, 'a') + "\",\"main\":false}]"
        << QList<GameTab>{};
    QByteArray many = "[";
    for (int i = 0; i < RememberedGames::maxGames + 5; ++i)
        many += "{\"kind\":\"play\",\"host\":\"x\",\"server\":\"" + QByteArray::number(i + 1)
            + "\",\"account\":\"k\",\"main\":true},";
    many.chop(1);
    QTest::newRow("more games than kept") << many + "]" << QList<GameTab>{};
    QTest::newRow("too large to read") << "[" + QByteArray(RememberedGames::maxStoredBytes, ' ') + smallWeb + "]"
                                       << QList<GameTab>{};
}

void TestGameSessionRules::storedGamesAreReadSkippingWhatIsDamaged()
{
    QFETCH(QByteArray, stored);
    QFETCH(QList<GameTab>, expected);
    const QList<GameTab> games = RememberedGames::decode(stored);
    if (QByteArray(QTest::currentDataTag()) == "more games than kept") {
        QCOMPARE(games.size(), RememberedGames::maxGames);
        return;
    }
    QCOMPARE(games, expected);
}

void TestGameSessionRules::gamesSurviveTheIniFile()
{
    TestAppDir dir;
    QList<GameTab> games = {
        tab(QStringLiteral("play"), QStringLiteral("xianxia"), QStringLiteral("108"), QStringLiteral("korvo"), true,
            QStringLiteral("仙侠传说, 一服")),
        tab(QStringLiteral("h5"), QStringLiteral("h5game"), QString(), QStringLiteral("korvo_xh1"))};
    games[1].inSplit = true;
    {
        Settings settings;
        RememberedGames::save(&settings, games);
    }
    Settings settings;
    QCOMPARE(RememberedGames::load(&settings), games);
    RememberedGames::save(&settings, {});
    QVERIFY(!settings.contains(RememberedGames::key()));
    // A list a hand put there is not ours to read.
    settings.setValue(RememberedGames::key(), QStringList{QStringLiteral("a"), QStringLiteral("b")});
    QVERIFY(RememberedGames::load(&settings).isEmpty());
}

void TestGameSessionRules::storedGamesAreFoundByTheNextStartOnly_data()
{
    QTest::addColumn<bool>("sessionWrites");
    QTest::addColumn<QList<GameTab>>("nextStartFinds");
    QTest::newRow("the session wrote as it ended")
        << true << QList<GameTab>{tab(QStringLiteral("h5"), QStringLiteral("h5game"), QString(), QStringLiteral("korvo"))};
    QTest::newRow("the session crashed: no older set instead") << false << QList<GameTab>{};
}

// A start takes what the session before it wrote: a session that ends
// without writing leaves nothing, not the set of the session before it.
void TestGameSessionRules::storedGamesAreFoundByTheNextStartOnly()
{
    QFETCH(bool, sessionWrites);
    QFETCH(QList<GameTab>, nextStartFinds);
    TestAppDir dir;
    // The file as earlier versions left it.
    QFile ini(Settings::fileName());
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[session]\nlastgames=\"[{\\\"account\\\":\\\"korvo\\\",\\\"host\\\":\\\"xianxia\\\",\\\"kind\\\":"
              "\\\"play\\\",\\\"main\\\":true,\\\"server\\\":\\\"108\\\"}]\"\n");
    ini.close();
    {
        Settings settings;
        QCOMPARE(RememberedGames::take(&settings),
                 QList<GameTab>{tab(QStringLiteral("play"), QStringLiteral("xianxia"), QStringLiteral("108"),
                                    QStringLiteral("korvo"), true)});
        if (sessionWrites)
            RememberedGames::save(&settings, nextStartFinds);
    }
    Settings settings;
    QCOMPARE(RememberedGames::take(&settings), nextStartFinds);
}

void TestGameSessionRules::shortcutAddressesAreParsed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<GameTab>("expected");

    const GameTab none;
    QTest::newRow("server played") << QStringLiteral("korvo://play?account=korvo_xh1&host=xianxia&server=108") << true
                                   << tab(QStringLiteral("play"), QStringLiteral("xianxia"), QStringLiteral("108"),
                                          QStringLiteral("korvo_xh1"));
    QTest::newRow("server list, fields in any order") << QStringLiteral("korvo://play?host=sanguo&account=korvo")
                                                      << true
                                                      << tab(QStringLiteral("web"), QStringLiteral("sanguo"),
                                                             QString(), QStringLiteral("korvo"));
    QTest::newRow("h5 game") << QStringLiteral("KORVO://play?account=korvo&host=h5game&kind=h5") << true
                             << tab(QStringLiteral("h5"), QStringLiteral("h5game"), QString(), QStringLiteral("korvo"));
    QTest::newRow("encoded account") << QStringLiteral("korvo://play?account=a%26b%3Dc%20d&host=x") << true
                                     << tab(QStringLiteral("web"), QStringLiteral("x"), QString(),
                                            QStringLiteral("a&b=c d"));
    QTest::newRow("wrong scheme") << QStringLiteral("http://play?account=korvo&host=x") << false << none;
    QTest::newRow("wrong action") << QStringLiteral("korvo://open?account=korvo&host=x") << false << none;
    QTest::newRow("no query") << QStringLiteral("korvo://play") << false << none;
    QTest::newRow("missing account") << QStringLiteral("korvo://play?host=x&server=1") << false << none;
    QTest::newRow("server without its game's host") << QStringLiteral("korvo://play?account=korvo&server=1") << true
                                                    << tab(QStringLiteral("play"), QString(), QStringLiteral("1"),
                                                           QStringLiteral("korvo"));
    QTest::newRow("missing host") << QStringLiteral("korvo://play?account=korvo") << false << none;
    QTest::newRow("empty host") << QStringLiteral("korvo://play?account=korvo&host=&server=1") << false << none;
    QTest::newRow("repeated account") << QStringLiteral("korvo://play?account=a&account=b&host=x") << false << none;
    QTest::newRow("repeated server") << QStringLiteral("korvo://play?account=a&host=x&server=1&server=2") << false
                                     << none;
    QTest::newRow("unknown field") << QStringLiteral("korvo://play?account=a&host=x&x=1") << false << none;
    QTest::newRow("token outside its form") << QStringLiteral("korvo://play?account=a&host=x&token=t") << false << none;
    QTest::newRow("token in upper case")
        << QStringLiteral("korvo://play?account=a&host=x&token=0123456789ABCDEF0123456789abcdef") << false << none;
    QTest::newRow("field without value") << QStringLiteral("korvo://play?account=a&host") << false << none;
    QTest::newRow("empty field") << QStringLiteral("korvo://play?account=a&&host=x") << false << none;
    QTest::newRow("non-word host") << QStringLiteral("korvo://play?account=a&host=evil.example/x") << false << none;
    QTest::newRow("encoded slash in host") << QStringLiteral("korvo://play?account=a&host=x%2F..") << false << none;
    QTest::newRow("non-numeric server") << QStringLiteral("korvo://play?account=a&host=x&server=1e3") << false << none;
    QTest::newRow("negative server") << QStringLiteral("korvo://play?account=a&host=x&server=-1") << false << none;
    QTest::newRow("h5 with a server") << QStringLiteral("korvo://play?account=a&host=x&server=1&kind=h5") << false
                                      << none;
    QTest::newRow("unknown kind") << QStringLiteral("korvo://play?account=a&host=x&kind=exe") << false << none;
    QTest::newRow("fragment") << QStringLiteral("korvo://play?account=a&host=x#y") << false << none;
    QTest::newRow("control character in account") << QStringLiteral("korvo://play?account=a%0Ab&host=x") << false
                                                   << none;
    QTest::newRow("overlong") << QStringLiteral("korvo://play?account=a&host=x&kind=h5") + QString(2000, QLatin1Char('5'))
                              << false << none;
    QTest::newRow("overlong account") << QStringLiteral("korvo://play?host=x&account=") + QString(65, QLatin1Char('a'))
                                      << false << none;
}

void TestGameSessionRules::shortcutAddressesAreParsed()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(GameTab, expected);
    GameTab game;
    QCOMPARE(ShortcutAddress::parse(text, &game), valid);
    QCOMPARE(game, expected);
}

void TestGameSessionRules::builtAddressesParseBack_data()
{
    QTest::addColumn<GameTab>("game");
    QTest::addColumn<QString>("token");
    QTest::newRow("small account playing") << tab(QStringLiteral("play"), QStringLiteral("xianxia"),
                                                  QStringLiteral("108"), QStringLiteral("korvo_xh1"))
                                           << QStringLiteral("0123456789abcdef0123456789abcdef");
    QTest::newRow("server list") << tab(QStringLiteral("web"), QStringLiteral("sanguo"), QString(),
                                        QStringLiteral("名字 & = % ?")) << QString();
    QTest::newRow("h5") << tab(QStringLiteral("h5"), QStringLiteral("h5game"), QString(), QStringLiteral("korvo"))
                        << QStringLiteral("ffffffffffffffffffffffffffffffff");
}

void TestGameSessionRules::builtAddressesParseBack()
{
    QFETCH(GameTab, game);
    QFETCH(QString, token);
    GameTab read;
    QString readToken;
    QVERIFY(ShortcutAddress::parse(ShortcutAddress::build(game, token), &read, &readToken));
    QCOMPARE(read, game);
    QCOMPARE(readToken, token);
}

void TestGameSessionRules::desktopEntriesAreValidAndQuoteTheAddress()
{
    if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
        QSKIP("desktop-file-validate is not installed (scripts/install-deps.sh installs it)");
    TestAppDir dir;
    const GameTab game = tab(QStringLiteral("play"), QStringLiteral("xianxia"), QStringLiteral("108"),
                             QStringLiteral("x\"$`\\%y"), false, QStringLiteral("仙侠传说"));
    QString error;
    const QString path = DesktopShortcut::write(dir.filePath(QStringLiteral("Desktop")), game,
                                                dir.filePath(QStringLiteral("my programs/KorvoClient")), &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {path});
    QVERIFY(validate.waitForFinished(30000));
    const QString complaints = QString::fromUtf8(validate.readAllStandardOutput() + validate.readAllStandardError());
    QVERIFY2(validate.exitCode() == 0 && complaints.isEmpty(), qPrintable(complaints));
    // Undoing the string and argument quoting gives the address back.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString exec = QString::fromUtf8(file.readAll()).section(QStringLiteral("Exec="), 1).section(QLatin1Char('\n'), 0, 0);
    QString argument = exec.section(QStringLiteral("\" \""), 1).chopped(1);
    argument.replace(QStringLiteral("\\\\"), QStringLiteral("\\")).replace(QStringLiteral("%%"), QStringLiteral("%"));
    argument.replace(QRegularExpression(QStringLiteral("\\\\(.)")), QStringLiteral("\\1"));
    GameTab read;
    QVERIFY2(ShortcutAddress::parse(argument, &read), qPrintable(argument));
    QCOMPARE(read.account, game.account);
}

void TestGameSessionRules::shortcutTokenIsKeptAndMatchedExactly()
{
    TestAppDir dir;
    Settings settings;
    // Before the first shortcut there is no token, and no text stands for one.
    QVERIFY(!ShortcutToken::matches(&settings, QString()));
    const QString token = ShortcutToken::of(&settings);
    QVERIFY2(ShortcutAddress::isToken(token), qPrintable(token));
    QCOMPARE(ShortcutToken::of(&settings), token);
    QVERIFY(ShortcutToken::matches(&settings, token));
    QString other = token;
    other[31] = other.at(31) == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    for (const QString &wrong : QStringList{QString(), other, token.left(31), token + QLatin1Char('0')})
        QVERIFY2(!ShortcutToken::matches(&settings, wrong), qPrintable(wrong));
}

QTEST_GUILESS_MAIN(TestGameSessionRules)
#include "tst_gamesessionrules.moc"
