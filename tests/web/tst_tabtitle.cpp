#include "web/tabtitle.h"

#include <QtTest>

// The title rules of the tabs, without a tab.
class TestTabTitle final : public QObject
{
    Q_OBJECT

private slots:
    void cutTitle_data();
    void cutTitle();
    void elideTitle_data();
    void elideTitle();
};

void TestTabTitle::cutTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("cut");
    QTest::newRow("dash") << "Tetris - Play" << "Tetris ";
    QTest::newRow("bar before dash") << "a-b|c" << "a-b";
    QTest::newRow("dash before underscore") << "a_b-c" << "a_b";
    QTest::newRow("underscore before comma") << "Gift_Centre,2" << "Gift";
    QTest::newRow("comma") << "Points,mall" << "Points";
    QTest::newRow("leading separator") << "|Korvo" << "";
    QTest::newRow("no separator") << "礼包中心" << "礼包中心";
}

void TestTabTitle::cutTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, cut);
    QCOMPARE(TabTitle::cut(title), cut);
}

void TestTabTitle::elideTitle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("weight 9") << "bob|Tetris - Play" << "bob|Tetris - Play";
    QTest::newRow("weight 13") << "bob|Dragon Legend Online" << "bob|Dragon ...";
    QTest::newRow("eleven cjk") << "游戏中心游戏中心游戏中" << "游戏中心游戏中心游戏中";
    QTest::newRow("twelve cjk") << "游戏中心游戏中心游戏中心" << "游戏中心游戏中心游戏中...";
    QTest::newRow("wide brackets") << "《龙城》【战场】战斗吧" << "《龙城》【战场】战斗吧";
    QTest::newRow("wide brackets over") << "《龙城》【战场】战斗吧!!" << "《龙城》【战场】战斗吧...";
    QTest::newRow("twelve capitals") << "ABCDEFGHIJKL" << "ABCDEFGHIJK...";
    QTest::newRow("lower case counts half") << "abcdefghijklmnopqrstuv" << "abcdefghijklmnopqrstuv";
    QTest::newRow("halves round down apart") << "abcdefghijklmnopqrstuvw," << "abcdefghijklmnopqrstuvw,";
    QTest::newRow("empty") << "" << "";
}

void TestTabTitle::elideTitle()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(TabTitle::elide(text), shown);
}

QTEST_GUILESS_MAIN(TestTabTitle)
#include "tst_tabtitle.moc"
