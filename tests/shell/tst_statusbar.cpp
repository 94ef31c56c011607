#include "shell/statusbar.h"
#include "testmainframe.h"
#include "testsupport.h"

#include <QLabel>
#include <QtTest>

class TestStatusBar final : public QObject
{
    Q_OBJECT

private slots:
    void yearRangeEndsWithTheGivenYear()
    {
        QVERIFY(StatusBar::copyrightText(2030).contains(QStringLiteral("2012-2030")));
        QVERIFY(StatusBar::copyrightText(2026).contains(QStringLiteral("2012-2026")));
    }

    void showsOnlyTheNoticeOfThisYear()
    {
        TestAppDir dir;
        StatusBar bar;
        bar.show();
        auto *notice = bar.findChild<QLabel *>(QStringLiteral("footCopyrightLabel"));
        QVERIFY(notice && notice->isVisible());
        QVERIFY(notice->text().contains(QString::number(QDate::currentDate().year())));
        QVERIFY(!notice->text().contains(QStringLiteral("当前版本")));
        QVERIFY(!bar.findChild<QWidget *>(QStringLiteral("footNewsLabel"))->isVisible());
        QVERIFY(!bar.findChild<QWidget *>(QStringLiteral("footMsgBtn"))->isVisible());
    }

    // A notice carries page titles: shown as they stand, never as markup.
    void noticeShowsItsTextAsPlainText()
    {
        TestAppDir dir;
        StatusBar bar;
        bar.show();
        auto *label = bar.findChild<QLabel *>(QStringLiteral("footNoticeLabel"));
        QVERIFY(label && !label->isVisible());
        QVERIFY(bar.notice().isEmpty());
        const QString title = QStringLiteral("<img src=\"http://127.0.0.1:9/x.png\"><b>商城</b>");
        bar.showNotice(title);
        QVERIFY(label->isVisible());
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(bar.notice(), title);
    }

    void staysAtTheBottomOfTheWindowOnResize()
    {
        TestAppDir dir;
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        auto *bar = frame.findChild<StatusBar *>();
        QVERIFY(bar);
        frame.resize(1300, 800);
        QTRY_COMPARE(bar->geometry(), QRect(2, 800 - 28, 1300 - 4, 26));
        frame.resize(1024, 690);
        QTRY_COMPARE(bar->geometry(), QRect(2, 690 - 28, 1024 - 4, 26));
    }
};

QTEST_MAIN(TestStatusBar)
#include "tst_statusbar.moc"
