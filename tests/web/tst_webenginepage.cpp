#include "pagescript.h"
#include "web/newtabgate.h"
#include "web/pagenotice.h"
#include "testsupport.h"
#include "web/webenginepage.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// Receives what the page hands to the system instead of a real desktop handler.
class SystemLinkCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

// Records how the page decided each navigation the engine asked about.
class ProbePage : public WebEnginePage
{
public:
    using WebEnginePage::WebEnginePage;
    QHash<QUrl, bool> decisions;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        const bool accepted = WebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
        decisions.insert(url, accepted);
        return accepted;
    }
};

class TestWebEnginePage final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void javaScriptDialogsAreAnswered_data();
    void javaScriptDialogsAreAnswered();
    void logoutLinksAreRefused_data();
    void logoutLinksAreRefused();
    void qqLinksGoToTheSystem_data();
    void qqLinksGoToTheSystem();
    void newWindowsBecomeUrlClicked_data();
    void newWindowsBecomeUrlClicked();

private:
    void showPage(const QString &body);
    void clickAt(const QPoint &pos);
    // Navigates by script and returns whether the page let the navigation through.
    bool navigate(const QUrl &target);
    // Answers the next message box with the button whose text is given
    // (empty: close it with Escape); returns its title and text.
    void answerNextBox(const QString &buttonText);

    TestAppDir m_app;
    SystemLinkCatcher m_catcher;
    ProbePage *m_page = nullptr;
    WebView *m_view = nullptr;
    QString m_boxTitle;
    QString m_boxText;
};

const QUrl kBase(QStringLiteral("http://portal.test/"));
const QString kFullPage = QStringLiteral("display:block;width:600px;height:400px");

void TestWebEnginePage::initTestCase()
{
    QDesktopServices::setUrlHandler(QStringLiteral("tencent"), &m_catcher, "open");
}

void TestWebEnginePage::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("tencent"));
    delete m_view;
}

void TestWebEnginePage::init()
{
    delete m_view;
    m_view = new WebView;
    m_page = new ProbePage(WebEngineProfile::profileFor(QStringLiteral("default")), m_view);
    m_view->setPage(m_page);
    m_view->resize(600, 400);
    m_view->show();
    m_catcher.opened.clear();
    m_boxTitle.clear();
    m_boxText.clear();
}

void TestWebEnginePage::showPage(const QString &body)
{
    QSignalSpy loaded(m_page, &QWebEnginePage::loadFinished);
    m_page->setHtml(QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>"), kBase);
    QVERIFY(loaded.wait(20000));
    QVERIFY(loaded.first().first().toBool());
}

void TestWebEnginePage::answerNextBox(const QString &buttonText)
{
    auto *poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, poll, buttonText] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll->deleteLater();
        m_boxTitle = box->windowTitle();
        m_boxText = box->text();
        for (QAbstractButton *button : box->buttons()) {
            if (!buttonText.isEmpty() && button->text().remove(QLatin1Char('&')) == buttonText) {
                button->click();
                return;
            }
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
    poll->start(20);
}

void TestWebEnginePage::javaScriptDialogsAreAnswered_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("answer");
    QTest::newRow("alert") << "alert('积分不足'); 'done'" << "确定" << "done";
    QTest::newRow("confirm ok") << "confirm('积分不足') ? 'yes' : 'no'" << "OK" << "yes";
    QTest::newRow("confirm cancel") << "confirm('积分不足') ? 'yes' : 'no'" << "Cancel" << "no";
    QTest::newRow("confirm closed") << "confirm('积分不足') ? 'yes' : 'no'" << "" << "no";
}

void TestWebEnginePage::javaScriptDialogsAreAnswered()
{
    QFETCH(QString, script);
    QFETCH(QString, button);
    QFETCH(QString, answer);
    showPage(QString());
    answerNextBox(button);
    QCOMPARE(pageScriptAnswer(m_page, script, 10000).value_or(QVariant()).toString(), answer);
    QCOMPARE(m_boxTitle, QStringLiteral("Korvo游戏盒"));
    QCOMPARE(m_boxText, QStringLiteral("积分不足"));
}

bool TestWebEnginePage::navigate(const QUrl &target)
{
    m_page->runJavaScript(QStringLiteral("location.href = '%1'").arg(target.toString()));
    return QTest::qWaitFor([&] { return m_page->decisions.contains(target); }, 10000)
        && m_page->decisions.value(target);
}

void TestWebEnginePage::logoutLinksAreRefused_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("followed");
    QTest::newRow("query") << "http://portal.test/member/DoAction.php?a=logout" << false;
    QTest::newRow("with more") << "http://portal.test/DoAction.php?a=logout&back=1" << false;
    QTest::newRow("other host") << "http://127.0.0.1:9/x/DoAction.php?a=logout" << false;
    QTest::newRow("other case") << "http://portal.test/doaction.php?a=logout" << true;
    QTest::newRow("other action") << "http://portal.test/DoAction.php?a=login" << true;
}

void TestWebEnginePage::logoutLinksAreRefused()
{
    QFETCH(QString, target);
    QFETCH(bool, followed);
    showPage(QStringLiteral("portal"));
    QCOMPARE(navigate(QUrl(target)), followed);
    if (!followed)
        QCOMPARE(m_page->url(), kBase);
}

void TestWebEnginePage::clickAt(const QPoint &pos)
{
    QTRY_VERIFY_WITH_TIMEOUT(m_view->focusProxy(), 5000);
    QTest::mouseClick(m_view->focusProxy(), Qt::LeftButton, {}, pos);
}

void TestWebEnginePage::qqLinksGoToTheSystem_data()
{
    QTest::addColumn<QString>("body");
    const QString qq = QStringLiteral("tencent://message/?uin=10001&Site=korvo");
    QTest::newRow("link") << QStringLiteral("<a href='%1' style='%2'>QQ</a>").arg(qq, kFullPage);
    QTest::newRow("script on click")
        << QStringLiteral("<div onclick=\"location.href='%1'\" style='%2'>QQ</div>").arg(qq, kFullPage);
    QTest::newRow("new window")
        << QStringLiteral("<a href='%1' target='_blank' style='%2'>QQ</a>").arg(qq, kFullPage);
}

void TestWebEnginePage::qqLinksGoToTheSystem()
{
    QFETCH(QString, body);
    showPage(body);
    clickAt(QPoint(100, 100));
    QTRY_COMPARE_WITH_TIMEOUT(m_catcher.opened.size(), 1, 10000);
    QCOMPARE(m_catcher.opened.first(), QUrl(QStringLiteral("tencent://message/?uin=10001&Site=korvo")));
    QCOMPARE(m_page->url(), kBase);
}

void TestWebEnginePage::newWindowsBecomeUrlClicked_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("click");
    QTest::newRow("link")
        << QStringLiteral("<a href='/game.php?host=s1' target='_blank' style='%1'>play</a>").arg(kFullPage)
        << true;
    QTest::newRow("script after a click")
        << QStringLiteral("<div onclick=\"window.open('/game.php?host=s1')\" style='%1'>play</div>").arg(kFullPage)
        << true;
    // Without the user's click a page opens nothing, and the user is told.
    QTest::newRow("script at load")
        << QStringLiteral("<script>window.open('/game.php?host=s1');</script>") << false;
}

void TestWebEnginePage::newWindowsBecomeUrlClicked()
{
    QFETCH(QString, body);
    QFETCH(bool, click);
    QSignalSpy clicked(m_page, &WebEnginePage::signalUrlClicked);
    showPage(body);
    if (!click) {
        auto *notice = m_view->findChild<PageNotice *>();
        QTRY_VERIFY_WITH_TIMEOUT(notice = m_view->findChild<PageNotice *>(), 10000);
        QCOMPARE(notice->text(), NewTabGate::blockedText(NewTabGate::NoGesture, 1));
        QVERIFY(clicked.isEmpty());
        return;
    }
    clickAt(QPoint(100, 100));
    QTRY_COMPARE_WITH_TIMEOUT(clicked.count(), 1, 10000);
    QCOMPARE(clicked.first().at(0).toUrl(), QUrl(QStringLiteral("http://portal.test/game.php?host=s1")));
    QCOMPARE(clicked.first().at(1).value<QWebEnginePage::NavigationType>(),
             QWebEnginePage::NavigationTypeLinkClicked);
    QCOMPARE(m_page->url(), kBase);
    // The throw-away page behind the request does not outlive it.
    QTRY_VERIFY_WITH_TIMEOUT(m_page->findChildren<QWebEnginePage *>().isEmpty(), 5000);
}

QTEST_MAIN(TestWebEnginePage)
#include "tst_webenginepage.moc"
