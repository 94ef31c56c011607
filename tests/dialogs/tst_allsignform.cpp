#include "account/loginform.h"
#include "account/sqlite.h"
#include "dialogs/allsignform.h"
#include "dialogs/auxwindows.h"
#include "shell/allaccountsplay.h"
#include "shell/gameopener.h"
#include "shell/gamesessions.h"
#include "shell/gametabmenu.h"
#include "gametools/smallaccountchooser.h"
#include "web/splitview.h"
#include "web/tabcontainer.h"
#include "web/tabwidget.h"
#include "net/session.h"
#include "windowchecks.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "shell/mainmenu.h"
#include "standinportal.h"
#include "testmainframe.h"
#include "testsupport.h"
#include "web/webview.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The actions for all accounts against the stand-in portal and the real
// engine: the sign-in window, each page its own account's calendar in its own
// profile, and a game tab entered again as every chosen small account.
class TestAllSignForm final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void eachPageIsItsOwnAccountsCalendar();
    void gameTabIsEnteredAsEachChosenSmallAccount();

private:
    static QString script(WebView *view, const QString &source);
    void storeSmallAccount(Sqlite *store, const QString &name, const QByteArray &password);
    AllSignForm *openFromTheMenu(MainFrame &frame);
    // The main account logged in, with one small account and one whose digest the portal refuses.
    void logInWithSmallAccounts(MainFrame &frame);

    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<StandInPortal> m_portal;
};

void TestAllSignForm::initTestCase()
{
    m_dir = std::make_unique<TestAppDir>();
    m_portal = std::make_unique<StandInPortal>(m_dir->path());
    QVERIFY(m_portal->start());
}

void TestAllSignForm::cleanupTestCase()
{
    m_portal.reset();
}

QString TestAllSignForm::script(WebView *view, const QString &source)
{
    QString text;
    bool done = false;
    view->page()->runJavaScript(source, [&](const QVariant &result) {
        text = result.toString();
        done = true;
    });
    return QTest::qWaitFor([&done] { return done; }, 10000) ? text : QStringLiteral("(no answer)");
}

void TestAllSignForm::storeSmallAccount(Sqlite *store, const QString &name, const QByteArray &password)
{
    const QString digest = QString::fromLatin1(QCryptographicHash::hash(password, QCryptographicHash::Md5).toHex());
    if (!store->accountByName(name).isEmpty())
        return;
    QVERIFY(store->insert({{QStringLiteral("user_name"), name},
                           {QStringLiteral("user_pass"), digest},
                           {QStringLiteral("is_main"), QStringLiteral("0")},
                           {QStringLiteral("main_id"), QStringLiteral("10001")}}));
}

AllSignForm *TestAllSignForm::openFromTheMenu(MainFrame &frame)
{
    for (QAction *action : frame.findChild<MainMenu *>()->actions()) {
        if (action->text() == QStringLiteral("全部账号签到"))
            action->trigger();
    }
    return frame.auxWindows()->allSignForm();
}

void TestAllSignForm::logInWithSmallAccounts(MainFrame &frame)
{
    const QJsonObject login = m_portal->control({{QStringLiteral("op"), QStringLiteral("login")},
                                                 {QStringLiteral("user_name"), QStringLiteral("korvo")}});
    for (const QString &key : {QStringLiteral("user_name"), QStringLiteral("user_id"), QStringLiteral("user_token")})
        frame.loginForm()->cookieJar()->setCookie(key, login.value(key).toString(), QStringLiteral("/"), 0,
                                                  Portal::cookieDomain(), false, false);
    QTRY_VERIFY_WITH_TIMEOUT(frame.sqlite(), 10000);
    storeSmallAccount(frame.sqlite(), QStringLiteral("korvo_xh1"), "xiaohao123");
    storeSmallAccount(frame.sqlite(), QStringLiteral("mingyue"), "wrong");
}

void TestAllSignForm::eachPageIsItsOwnAccountsCalendar()
{
    TestMainFrame frame;
    frame.show();
    logInWithSmallAccounts(frame);
    const int refused = m_portal->gatewayTexts().filter(QStringLiteral("user_name=mingyue&")).size();

    AllSignForm *form = openFromTheMenu(frame);
    QVERIFY(form && form->isVisible());
    QCOMPARE(form->accountCount(), 3);
    auto *failed = form->findChild<QLabel *>(QStringLiteral("allSign_FailedLabel"));
    QTRY_COMPARE_WITH_TIMEOUT(failed->text(), QStringLiteral("登录失败：mingyue：密码错误!"), 20000);
    QVERIFY(!form->viewOf(QStringLiteral("mingyue")));

    // Each calendar is its account's, as its own profile's cookies tell the portal.
    const QList<QPair<QString, QString>> accounts{{QStringLiteral("korvo"), QStringLiteral("10001")},
                                                 {QStringLiteral("korvo_xh1"), QStringLiteral("10003")}};
    for (const auto &[name, id] : accounts) {
        WebView *view = form->viewOf(name);
        QVERIFY2(view, qPrintable(name));
        QTRY_COMPARE_WITH_TIMEOUT(
            script(view, QStringLiteral("(document.getElementById('signUser') || {}).textContent")), name, 20000);
        QVERIFY(script(view, QStringLiteral("document.cookie")).contains(QStringLiteral("user_id=") + id));
    }
    auto *summary = form->findChild<QLabel *>(QStringLiteral("allSign_SummaryLabel"));
    QTRY_COMPARE_WITH_TIMEOUT(summary->text(), QStringLiteral("已签到 0 / 3"), 10000);
    auto *list = form->findChild<QListWidget *>(QStringLiteral("allSign_AccountList"));
    list->setCurrentRow(1);
    screenShot(QStringLiteral("all-sign-window"), 1500);

    // The small account signs in on its page: counted, and only for that account.
    script(form->viewOf(QStringLiteral("korvo_xh1")), QStringLiteral("document.querySelector('a.btn').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(summary->text(), QStringLiteral("已签到 1 / 3"), 20000);
    QCOMPARE(list->item(1)->text(), QStringLiteral("korvo_xh1（已签到）"));
    QCOMPARE(list->item(0)->text(), QStringLiteral("korvo（未签到）"));
    screenShot(QStringLiteral("all-sign-window-signed"), 1500);

    // Its link to the points mall shows the mall in its own page, logged in as
    // that account; the account stays counted as signed in.
    WebView *small = form->viewOf(QStringLiteral("korvo_xh1"));
    script(small, QStringLiteral("document.querySelector('a.btn.ghost').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(small->url().path(), QStringLiteral("/jfsc/"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(script(small, QStringLiteral("document.getElementById('points') ? 'shown' : ''")),
                              QStringLiteral("shown"), 20000);
    QCOMPARE(list->item(1)->text(), QStringLiteral("korvo_xh1（已签到）"));
    QCOMPARE(summary->text(), QStringLiteral("已签到 1 / 3"));
    screenShot(QStringLiteral("all-sign-window-mall"), 1500);
    // One login each, the refused one too.
    QCOMPARE(m_portal->gatewayTexts().filter(QStringLiteral("user_name=mingyue&")).size(), refused + 1);
}

void TestAllSignForm::gameTabIsEnteredAsEachChosenSmallAccount()
{
    TestMainFrame frame;
    frame.show();
    logInWithSmallAccounts(frame);
    TabWidget *tabs = frame.tabWidget();
    GameTab server;
    server.kind = QStringLiteral("play");
    server.host = QStringLiteral("xianxia");
    server.serverId = QStringLiteral("101");
    server.account = QStringLiteral("korvo");
    WebView *mainView = GameOpener::openTab(tabs, server, frame.session()->identity());
    QVERIFY(mainView);
    QWidget *mainTab = mainView->parentWidget();
    while (mainTab && !qobject_cast<TabContainer *>(mainTab))
        mainTab = mainTab->parentWidget();
    QVERIFY(mainTab);
    const int refused = m_portal->gatewayTexts().filter(QStringLiteral("user_name=mingyue&")).size();

    GameTabMenu *menu = frame.gameSessions()->tabMenu();
    menu->showMenu(tabs->tabBar()->tabRect(tabs->indexOf(mainTab)).center());
    QAction *action = menu->menu() ? menu->menu()->findChild<QAction *>(
                                         QStringLiteral("gameTabMenu_AllSmallAccountsAction"))
                                   : nullptr;
    QVERIFY(action);
    menu->menu()->close();
    action->trigger();
    auto *chooser = frame.findChild<SmallAccountChooser *>();
    QVERIFY(chooser && chooser->isVisible());
    // Every small account is ticked at first.
    QCOMPARE(chooser->chosen(), (QStringList{QStringLiteral("korvo_xh1"), QStringLiteral("mingyue")}));
    screenShot(QStringLiteral("small-account-chooser"), 1000);
    auto *play = frame.findChild<AllAccountsPlay *>();
    QSignalSpy opened(play, &AllAccountsPlay::signalOpened);
    const QPointer<SmallAccountChooser> shown(chooser);
    QTest::mouseClick(chooser->findChild<QPushButton *>(QStringLiteral("SureButton")), Qt::LeftButton);
    // The dialog tells how far the entry is until all are through.
    QVERIFY(chooser->findChild<QLabel *>(QStringLiteral("chooser_HintLabel"))->text().startsWith(
        QStringLiteral("正在以小号进入（1 / 2）")));
    QVERIFY(opened.wait(20000));
    QTRY_VERIFY(!shown);
    QCOMPARE(WindowChecks::takeNotice(tabs), QStringLiteral("以下小号未能进入：\nmingyue：密码错误!"));

    const auto tabsOpened = opened.first().first().value<QList<QWidget *>>();
    QCOMPARE(tabsOpened.size(), 1);
    const TabContext context = TabContainer::contextOf(tabsOpened.first());
    QCOMPARE(context.profileFlag, QStringLiteral("10003"));
    QCOMPARE(context.serverId, QStringLiteral("101"));
    // The same server, played by the small account as its own cookies tell the portal.
    WebView *view = tabsOpened.first()->findChild<WebView *>();
    QVERIFY(view);
    QTRY_COMPARE_WITH_TIMEOUT(
        script(view, QStringLiteral("(document.getElementById('player') || {}).textContent")),
        QStringLiteral("korvo_xh1"), 20000);
    QVERIFY(view->url().toString().contains(QStringLiteral("server_id=101")));
    // Straight into the split view, beside the tab it was entered from.
    QVERIFY(tabs->splitView());
    QCOMPARE(tabs->splitView()->panes(), (QList<QWidget *>{mainTab, tabsOpened.first()}));
    QCOMPARE(m_portal->gatewayTexts().filter(QStringLiteral("user_name=mingyue&")).size(), refused + 1);
}

QTEST_MAIN(TestAllSignForm)
#include "tst_allsignform.moc"
