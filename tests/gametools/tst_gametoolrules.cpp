#include "gametools/gametoollinks.h"
#include "gametools/gametoolreplies.h"
#include "net/portal.h"

#include <QTest>
#include <QUrlQuery>

class TestGameToolRules final : public QObject
{
    Q_OBJECT

private slots:
    void collectionWords_data();
    void collectionWords();
    void gameListReplies_data();
    void gameListReplies();
    void linkPages_data();
    void linkPages();
    void callsKeepPageValuesInTheirParameter();
};

void TestGameToolRules::collectionWords_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("message");
    const QString failed = QStringLiteral("收藏失败!请稍后重试");
    const QString full = QStringLiteral("您的收藏夹已经满了!");
    QTest::newRow("params error") << QByteArray("params error") << failed;
    QTest::newRow("already") << QByteArray("already") << QStringLiteral("游戏已经在收藏夹了");
    QTest::newRow("server limit") << QByteArray("server_6") << full;
    QTest::newRow("game limit") << QByteArray("game_6") << full;
    QTest::newRow("failed") << QByteArray("failed") << failed;
    QTest::newRow("success") << QByteArray("success") << QStringLiteral("收藏成功");
    QTest::newRow("game error") << QByteArray("game error") << QStringLiteral("游戏不存在");
    QTest::newRow("server error") << QByteArray("server error") << QStringLiteral("区服错误");
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFsuccess") << QStringLiteral("收藏成功");
    // Compared whole: a word inside a longer text or with blanks is not that word.
    QTest::newRow("trailing newline") << QByteArray("success\n") << QStringLiteral("系统异常");
    QTest::newRow("prefix") << QByteArray("already_6") << QStringLiteral("系统异常");
    QTest::newRow("upper case") << QByteArray("SUCCESS") << QStringLiteral("系统异常");
    QTest::newRow("JSON") << QByteArray("{\"code\":1}") << QStringLiteral("系统异常");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("系统异常");
}

void TestGameToolRules::collectionWords()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, message);
    QCOMPARE(GameToolReplies::collectionMessage(reply), message);
}

void TestGameToolRules::gameListReplies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("gameId");
    QTest::addColumn<QString>("notice");
    const QString trouble = QStringLiteral("网络异常,请稍后重试");
    QTest::newRow("id as text") << QByteArray(R"([{"game_id":"3","game_name":"x"}])") << "3" << "";
    QTest::newRow("id as number") << QByteArray(R"([{"game_id":7}])") << "7" << "";
    QTest::newRow("first of two") << QByteArray(R"([{"game_id":"1"},{"game_id":"2"}])") << "1" << "";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[{\"game_id\":\"5\"}]") << "5" << "";
    QTest::newRow("query is empty") << QByteArray("query is empty") << "" << "查询失败";
    QTest::newRow("query is empty after a mark") << QByteArray("\xEF\xBB\xBFquery is empty") << "" << "查询失败";
    QTest::newRow("other word") << QByteArray("failed") << "" << trouble;
    QTest::newRow("cut in half") << QByteArray(R"([{"game_id":"3","ga)") << "" << trouble;
    QTest::newRow("repeated key") << QByteArray(R"([{"game_id":"3","game_id":"4"}])") << "" << trouble;
    QTest::newRow("empty body") << QByteArray() << "" << trouble;
    QTest::newRow("empty array") << QByteArray("[]") << "" << "";
    QTest::newRow("object, not array") << QByteArray(R"({"game_id":"3"})") << "" << "";
    QTest::newRow("array of numbers") << QByteArray("[3]") << "" << "";
    QTest::newRow("no game_id") << QByteArray(R"([{"id":"3"}])") << "" << "";
    QTest::newRow("id true") << QByteArray(R"([{"game_id":true}])") << "" << "";
    QTest::newRow("id null") << QByteArray(R"([{"game_id":null}])") << "" << "";
    QTest::newRow("id object") << QByteArray(R"([{"game_id":{"v":3}}])") << "" << "";
    QTest::newRow("id empty") << QByteArray(R"([{"game_id":""}])") << "" << "";
}

void TestGameToolRules::gameListReplies()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, gameId);
    QFETCH(QString, notice);
    const GameToolReplies::GameLookup lookup = GameToolReplies::readGameList(reply);
    QCOMPARE(lookup.gameId, gameId);
    QCOMPARE(lookup.notice, notice);
}

void TestGameToolRules::linkPages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("gameId");
    QTest::addColumn<QString>("page");   // "portal:" or "h5:" and what follows the root
    QTest::newRow("shop") << "hostBar_ShopBtn" << "" << "portal:/jfsc";
    QTest::newRow("recharge") << "hostBar_MoneyBtn" << "" << "portal:/pay-game.php";
    QTest::newRow("service") << "hostBar_EarBtn" << "" << "portal:/service.php";
    QTest::newRow("h5 recharge") << "MoneyBtn" << "" << "portal:/pay-game.php";
    QTest::newRow("h5 service") << "EarBtn" << "" << "portal:/service.php";
    QTest::newRow("h5 gift") << "GitfBtn" << "" << "h5:/card_list.php";
    QTest::newRow("first pay") << "hostBar_FirstPayBtn" << "12" << "portal:/jfsc/firstpay/firstpay.php?from=dodev&game_id=12";
    QTest::newRow("gift") << "hostBar_GitfBtn" << "12" << "portal:/game_card.php?id=12";
    QTest::newRow("gift, id with a parameter") << "hostBar_GitfBtn" << "1&x=2" << "portal:/game_card.php?id=1%26x%3D2";
    QTest::newRow("gift without id") << "hostBar_GitfBtn" << "" << "";
    QTest::newRow("no link button") << "hostBar_VoiceBtn" << "12" << "";
}

void TestGameToolRules::linkPages()
{
    QFETCH(QString, button);
    QFETCH(QString, gameId);
    QFETCH(QString, page);
    QString expected = page;
    expected.replace(QLatin1String("portal:"), Portal::portalRoot()).replace(QLatin1String("h5:"), Portal::h5Root());
    // A button either opens its page at once or needs the game's id first, never both.
    const bool byGame = GameToolLinks::needsGameId(button);
    QCOMPARE(byGame ? GameToolLinks::pageForGame(button, gameId) : GameToolLinks::pageFor(button), expected);
    QCOMPARE(byGame ? GameToolLinks::pageFor(button) : GameToolLinks::pageForGame(button, gameId), QString());
}

void TestGameToolRules::callsKeepPageValuesInTheirParameter()
{
    const QString index = Portal::portalIndex();
    QCOMPARE(GameToolLinks::gameListUrl(QStringLiteral("xianxia")),
             QUrl(index + QStringLiteral("?type=open&action=game_list&game_host=xianxia")));
    QCOMPARE(GameToolLinks::collectionUrl(QStringLiteral("4711"), QStringLiteral("xianxia"), QStringLiteral("102")),
             QUrl(index + QStringLiteral("?type=open&action=user_collection_add&user_id=4711&game_host=xianxia&server_id=102")));
    const QUrl hostile = GameToolLinks::collectionUrl(QStringLiteral("1&user_id=2"), QStringLiteral("a b"),
                                                      QStringLiteral("3#x"));
    QCOMPARE(QUrlQuery(hostile).queryItemValue(QStringLiteral("user_id"), QUrl::FullyDecoded), QStringLiteral("1&user_id=2"));
    QCOMPARE(QUrlQuery(hostile).queryItemValue(QStringLiteral("game_host"), QUrl::FullyDecoded), QStringLiteral("a b"));
    QCOMPARE(QUrlQuery(hostile).queryItemValue(QStringLiteral("server_id"), QUrl::FullyDecoded), QStringLiteral("3#x"));
    QCOMPARE(QUrlQuery(hostile).allQueryItemValues(QStringLiteral("user_id")).size(), 1);
}

QTEST_GUILESS_MAIN(TestGameToolRules)
#include "tst_gametoolrules.moc"
