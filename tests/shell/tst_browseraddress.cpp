#include "shell/browseraddress.h"

#include <QUrl>
#include <QtTest>

// Which addresses the client hands to the desktop, and how they are quoted.
class TestBrowserAddress final : public QObject
{
    Q_OBJECT

private slots:
    void onlyWebPagesAndChatLinksLeave_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("portal page") << QStringLiteral("http://127.0.0.1:8080/register.php") << true;
        QTest::newRow("https, upper-case scheme") << QStringLiteral("HTTPS://example.org/a?b=1") << true;
        QTest::newRow("chat link") << QStringLiteral("tencent://message/?uin=12345&Site=qq") << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("relative") << QStringLiteral("/sy/download.php") << false;
        QTest::newRow("web without host") << QStringLiteral("http:///register.php") << false;
        QTest::newRow("chat without authority") << QStringLiteral("tencent:message") << false;
        QTest::newRow("local file") << QStringLiteral("file:///etc/passwd") << false;
        QTest::newRow("script") << QStringLiteral("javascript:alert(1)") << false;
        QTest::newRow("other program") << QStringLiteral("steam://run/1") << false;
        QTest::newRow("mail") << QStringLiteral("mailto:a@example.org") << false;
        QTest::newRow("data") << QStringLiteral("data:text/html,<b>x</b>") << false;
        QTest::newRow("too long") << QStringLiteral("http://example.org/") + QString(BrowserAddress::maxLength, QLatin1Char('a'))
                                  << false;
    }

    void onlyWebPagesAndChatLinksLeave()
    {
        QFETCH(QString, address);
        QFETCH(bool, allowed);
        QCOMPARE(BrowserAddress::mayOpen(QUrl(address)), allowed);
    }

    void noticesQuoteTheAddressToCopy()
    {
        const QUrl page(QStringLiteral("http://127.0.0.1:8080/sy/download.php?from=update&version=1.5.2.0"));
        QVERIFY(BrowserAddress::notOpenedText(page).endsWith(QLatin1Char('\n') + page.toString()));
        // Copied into a browser's address bar, what is shown must work as it stands.
        const QUrl spaced(QStringLiteral("http://example.org/a b?q=游戏"));
        QCOMPARE(BrowserAddress::copyText(spaced), QStringLiteral("http://example.org/a%20b?q=%E6%B8%B8%E6%88%8F"));
        // A refused address is quoted, but never at any length.
        const QUrl huge(QStringLiteral("steam://run/") + QString(100000, QLatin1Char('a')));
        QVERIFY(BrowserAddress::refusedText(huge).size() < 300);
        QVERIFY(BrowserAddress::refusedText(huge).contains(QStringLiteral("steam://run/aaaa")));
    }
};

QTEST_GUILESS_MAIN(TestBrowserAddress)
#include "tst_browseraddress.moc"
