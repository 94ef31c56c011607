#include "pagescript.h"
#include "web/hometoolbar.h"
#include "gametools/hosttoolbar.h"
#include "account/loginform.h"
#include "net/portal.h"
#include "shell/mainmenu.h"
#include "app/processsampler.h"
#include "dialogs/resourceform.h"
#include "portalfault.h"
#include "net/session.h"
#include "gametools/smallaccountform.h"
#include "gametools/smallaccountformadd.h"
#include "account/loginservice.h"
#include "gametools/smallleftbarform.h"
#include "standinportal.h"
#include "dialogs/tabresources.h"
#include "web/tabwidget.h"
#include "testmainframe.h"
#include "testsupport.h"
#include "windowchecks.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QUrlQuery>
#include <QWebEngineCookieStore>
#include <QtTest>

// A user with small accounts, against the stand-in portal and the real web
// engine: adding and registering them, playing as several accounts side by
// side, and the manager's list. The cases run in order,
// each on what the one before left.
class TestSmallAccounts final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void addDialogChecksBeforeAnyRequest();
    void addsAnExistingAccountAndRegistersAnUnknownOne();
    void resourceWindowListsEveryAccountsTabs();
    void sideBarPlaysTheSameGameAsASmallAccount();
    void sideBarOfAServerFromTheHomePagePlaysItsGame();
    void managerPlaysDeletesAndRemoves();
    void failedLoginsAndListsAreShown_data();
    void failedLoginsAndListsAreShown();
    void mainLoginOfARegisteredAccountKeepsItsRow();

private:
    static QString runScript(WebView *view, const QString &script);
    QString sqlite(const QString &sql) const;
    SmallAccountFormAdd *openAddDialog();
    void addAccount(const QString &name, const QString &password, const QString &confirmation = QString());
    SmallLeftBarForm *openSideBar(QWidget *tab, const char *button);
    void clickTile(SmallLeftBarForm *bar, int row, int column);
    QWidget *waitForNewTab(int before);

    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<StandInPortal> m_portal;
    std::unique_ptr<TestMainFrame> m_frame;
    TabWidget *m_tabs = nullptr;
};

void TestSmallAccounts::initTestCase()
{
    m_dir = std::make_unique<TestAppDir>();
    m_portal = std::make_unique<StandInPortal>(m_dir->path());
    QVERIFY(m_portal->start());
    m_frame = std::make_unique<TestMainFrame>();
    m_frame->show();
    m_tabs = m_frame->tabWidget();
    LoginForm *login = m_frame->loginForm();
    namedChild<QComboBox>(login, "login_AccountTxt")->setEditText(QStringLiteral("korvo"));
    namedChild<QLineEdit>(login, "login_PasswordTxt")->setText(QStringLiteral("korvo123"));
    namedChild<QPushButton>(login, "login_LoginBtn")->click();
    QTRY_VERIFY_WITH_TIMEOUT(m_frame->session()->isLoggedIn(), 15000);
}

void TestSmallAccounts::cleanupTestCase()
{
    m_frame.reset();
    m_portal.reset();
}

QString TestSmallAccounts::runScript(WebView *view, const QString &script)
{
    const std::optional<QVariant> answer = pageScriptAnswer(view->page(), script, 10000);
    return answer ? answer->toString() : QString();
}

QString TestSmallAccounts::sqlite(const QString &sql) const
{
    return sqliteTool(m_frame->sqlite()->fileName(), sql);
}

SmallAccountFormAdd *TestSmallAccounts::openAddDialog()
{
    auto *manager = m_frame->findChild<SmallAccountForm *>();
    if (!manager) {
        QTest::mouseClick(namedChild<QPushButton>(m_tabs->homeToolBar(), "homeBar_SmallAccountBtn"), Qt::LeftButton);
        manager = m_frame->findChild<SmallAccountForm *>();
    }
    if (!manager)
        return nullptr;
    QTest::mouseClick(namedChild<QPushButton>(manager, "small_AddBtn"), Qt::LeftButton);
    return manager->addForm();
}

void TestSmallAccounts::addAccount(const QString &name, const QString &password, const QString &confirmation)
{
    SmallAccountFormAdd *add = openAddDialog();
    QVERIFY(add && add->isVisible());
    namedChild<QLineEdit>(add, "smalladd_AccountText")->setText(name);
    namedChild<QLineEdit>(add, "smalladd_PassText")->setText(password);
    namedChild<QLineEdit>(add, "smalladd_PassCheckText")->setText(confirmation);
    QTest::mouseClick(namedChild<QPushButton>(add, "smalladd_SureBtn"), Qt::LeftButton);
}

void TestSmallAccounts::addDialogChecksBeforeAnyRequest()
{
    const int sent = m_portal->gatewayTexts().size();
    addAccount(QStringLiteral("korvo"), QStringLiteral("korvo123"));
    SmallAccountFormAdd *add = m_frame->findChild<SmallAccountFormAdd *>();
    QCOMPARE(WindowChecks::takeNotice(add), QStringLiteral("不能添加自己为小号"));
    screenShot(QStringLiteral("add-mode"));
    addAccount(QStringLiteral(" "), QStringLiteral("x"));
    QCOMPARE(WindowChecks::takeNotice(add), QStringLiteral("账号或密码错误"));
    QCOMPARE(m_portal->gatewayTexts().size(), sent);
    // The typed texts stay for the user to correct.
    QCOMPARE(namedChild<QLineEdit>(add, "smalladd_PassText")->text(), QStringLiteral("x"));
}

void TestSmallAccounts::addsAnExistingAccountAndRegistersAnUnknownOne()
{
    auto *manager = m_frame->findChild<SmallAccountForm *>();
    QVERIFY(manager);
    auto *combo = namedChild<QComboBox>(manager, "small_AccountListCombo");
    addAccount(QStringLiteral("korvo_xh1"), QStringLiteral("xiaohao123"));
    QTRY_COMPARE_WITH_TIMEOUT(combo->currentText(), QStringLiteral("korvo_xh1"), 15000);
    QVERIFY(!manager->addForm()->isVisible());
    QCOMPARE(sqlite(QStringLiteral("select user_id,main_id,is_main from box_user where user_name='korvo_xh1'")),
             QStringLiteral("10003|10001|0"));

    addAccount(QStringLiteral("korvo_xh1"), QStringLiteral("xiaohao123"));
    QCOMPARE(WindowChecks::takeNotice(manager->addForm()), QStringLiteral("当前账号已经存在"));

    // An unknown name: the dialog turns to registration.
    addAccount(QStringLiteral("xhnew1"), QStringLiteral("pass1234"));
    QCOMPARE(WindowChecks::takeNotice(manager->addForm()), QStringLiteral("账号不存在!"));
    QVERIFY(manager->addForm()->isRegistering());
    screenShot(QStringLiteral("add-register-mode"));
    addAccount(QStringLiteral("xhnew1"), QStringLiteral("pass1234"), QStringLiteral("pass12345"));
    QCOMPARE(WindowChecks::takeNotice(manager->addForm()), QStringLiteral("两次密码不一致"));
    addAccount(QStringLiteral("xhnew1"), QStringLiteral("pass1234"), QStringLiteral("pass1234"));
    QTRY_COMPARE_WITH_TIMEOUT(combo->currentText(), QStringLiteral("xhnew1"), 15000);
    QVERIFY(!manager->addForm()->isRegistering());
    QVERIFY(m_portal->gatewayTexts().last().contains(QStringLiteral("sign=user_register&user_large_id=10001&user_name=xhnew1")));
    QCOMPARE(sqlite(QStringLiteral("select user_id,main_id,user_pass from box_user where user_name='xhnew1'")),
             QStringLiteral("0|10001|") + QString::fromLatin1(QCryptographicHash::hash("pass1234", QCryptographicHash::Md5).toHex()));

    // A third, so the side bar shows an odd last row.
    addAccount(QStringLiteral("xhnew2"), QStringLiteral("pass1234"));
    QCOMPARE(WindowChecks::takeNotice(manager->addForm()), QStringLiteral("账号不存在!"));
    addAccount(QStringLiteral("xhnew2"), QStringLiteral("pass1234"), QStringLiteral("pass1234"));
    QTRY_COMPARE_WITH_TIMEOUT(combo->currentText(), QStringLiteral("xhnew2"), 15000);
    screenShot(QStringLiteral("manager"));
    manager->close();
}

SmallLeftBarForm *TestSmallAccounts::openSideBar(QWidget *tab, const char *button)
{
    auto *bar = tab ? tab->findChild<SmallLeftBarForm *>() : nullptr;
    if (!bar)
        return nullptr;
    QTest::mouseClick(namedChild<QPushButton>(tab, button), Qt::LeftButton);
    return bar;
}

void TestSmallAccounts::clickTile(SmallLeftBarForm *bar, int row, int column)
{
    auto *table = namedChild<QTableWidget>(bar, "smallBar_AccountListTable");
    const QRect cell = table->visualRect(table->model()->index(row, column));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

QWidget *TestSmallAccounts::waitForNewTab(int before)
{
    if (!QTest::qWaitFor([&] { return m_tabs->count() > before; }, 15000))
        return nullptr;
    return m_tabs->widget(m_tabs->count() - 1);
}

void TestSmallAccounts::resourceWindowListsEveryAccountsTabs()
{
    m_tabs->setCurrentIndex(0);
    QVERIFY(m_tabs->createHostTab(QStringLiteral("xianxia")));
    const int before = m_tabs->count();
    clickTile(openSideBar(m_tabs->currentWidget(), "hostBar_SmallAccountBtn"), 0, 0);
    QWidget *smallTab = waitForNewTab(before);
    QVERIFY(smallTab);
    WebView *smallView = smallTab->findChild<WebView *>(QStringLiteral("hostwebview"));
    QTRY_VERIFY_WITH_TIMEOUT(smallView->page()->renderProcessPid() > 0, 15000);

    QAction *entry = nullptr;
    for (QAction *action : m_frame->findChild<MainMenu *>()->actions())
        entry = action->text() == QStringLiteral("资源占用") ? action : entry;
    QVERIFY(entry);
    entry->trigger();
    auto *form = m_frame->findChild<ResourceForm *>();
    QVERIFY(form && form->isVisible() && form->isRefreshing());
    auto *table = namedChild<QTableWidget>(form, "resourceTable");
    // Every render process has been read at least once.
    QTRY_VERIFY_WITH_TIMEOUT(table->rowCount() == 3 && table->item(2, 2)->text() != QStringLiteral("-")
                                 && table->item(0, 2)->text() != QStringLiteral("-"), 15000);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("korvo"));
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("korvo"));
    QCOMPARE(table->item(2, 1)->text(), QStringLiteral("korvo_xh1"));
    // The pages settle while they load: the figures compared are read one right after the other.
    QSignalSpy sampled(m_frame->tabResources()->sampler(), &ProcessSampler::sampled);
    QVERIFY(sampled.wait(5000));
    const QList<TabResources::Row> rows = m_frame->tabResources()->rows();
    QVERIFY(rows.at(1).pids != rows.at(2).pids);  // two profiles, two processes
    for (int row = 0; row < 3; ++row) {
        qint64 system = 0;
        for (qint64 pid : rows.at(row).pids) {
            QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
            QVERIFY(rollup.open(QIODevice::ReadOnly));
            system += ProcessUsage::pssKiB(rollup.readAll());
        }
        const double shown = table->item(row, 2)->text().section(QLatin1Char(' '), 0, 0).toDouble() * 1024;
        QVERIFY2(qAbs(shown - double(system)) <= double(system) / 10,
                 qPrintable(table->item(row, 2)->text() + QStringLiteral(" against %1 KiB").arg(system)));
    }
    screenShot(QStringLiteral("resource-window"));

    QSignalSpy reloading(smallView, &WebView::loadStarted);
    table->selectRow(2);
    QTest::mouseClick(namedChild<QPushButton>(form, "reloadTabBtn"), Qt::LeftButton);
    QVERIFY(reloading.wait());
    form->close();
    QVERIFY(!form->isRefreshing());
    m_tabs->closeTabsButHome();
}

void TestSmallAccounts::sideBarOfAServerFromTheHomePagePlaysItsGame()
{
    m_tabs->setCurrentIndex(0);
    emit m_tabs->signalRouteRequested(QUrl(Portal::portalRoot() + QStringLiteral("/game_play/203.html")));
    QTRY_COMPARE_WITH_TIMEOUT(m_tabs->currentWidget()->property("serverId").toString(), QStringLiteral("203"), 15000);
    QWidget *playTab = m_tabs->currentWidget();
    QTRY_COMPARE_WITH_TIMEOUT(playTab->property("host").toString(), QStringLiteral("longcheng"), 15000);
    const int before = m_tabs->count();
    clickTile(openSideBar(playTab, "hostBar_SmallAccountBtn"), 0, 0);
    QWidget *smallTab = waitForNewTab(before);
    QVERIFY(smallTab);
    QCOMPARE(smallTab->property("host").toString(), QStringLiteral("longcheng"));
    WebView *smallView = smallTab->findChild<WebView *>(QStringLiteral("hostwebview"));
    QCOMPARE(QUrlQuery(smallView->page()->requestedUrl()).queryItemValue(QStringLiteral("host")), QStringLiteral("longcheng"));
    m_tabs->closeTabsButHome();
}

void TestSmallAccounts::sideBarPlaysTheSameGameAsASmallAccount()
{
    const QString cookieScript = QStringLiteral("document.cookie");
    WebView *mainView = m_tabs->createHostTab(QStringLiteral("xianxia"));
    QVERIFY(mainView);
    QWidget *mainTab = m_tabs->currentWidget();
    SmallLeftBarForm *bar = openSideBar(mainTab, "hostBar_SmallAccountBtn");
    QVERIFY(bar);
    QCOMPARE(bar->width(), SmallLeftBarForm::openWidth);
    auto *table = namedChild<QTableWidget>(bar, "smallBar_AccountListTable");
    QCOMPARE(table->rowCount(), 2);
    QVERIFY(!table->cellWidget(1, 1));
    QCOMPARE(table->cellWidget(0, 0)->property("user_name").toString(), QStringLiteral("korvo_xh1"));
    screenShot(QStringLiteral("sidebar"));

    // The free cell of the last row does nothing; a second click while the login is out sends none.
    const int sent = m_portal->gatewayTexts().size();
    int before = m_tabs->count();
    clickTile(bar, 1, 1);
    clickTile(bar, 0, 0);
    clickTile(bar, 0, 0);
    QWidget *smallTab = waitForNewTab(before);
    QVERIFY(smallTab);
    QCOMPARE(m_portal->gatewayTexts().size(), sent + 1);
    QCOMPARE(smallTab->property("gameType").toString(), QStringLiteral("web"));
    QCOMPARE(smallTab->property("myProfileFlag").toString(), QStringLiteral("10003"));
    WebView *smallView = smallTab->findChild<WebView *>(QStringLiteral("hostwebview"));
    QCOMPARE(smallView->page()->profile(), WebEngineProfile::profileFor(QStringLiteral("10003")));

    // From an H5 tab, the registered account: an H5 tab, and the account's real id in its one row.
    // The user goes home first: the main account plays there.
    m_tabs->setCurrentIndex(0);
    QVERIFY(m_tabs->createH5HostTab(QStringLiteral("snake")));
    QCOMPARE(m_tabs->currentWidget()->property("myProfileFlag").toString(), QStringLiteral("default"));
    SmallLeftBarForm *h5Bar = openSideBar(m_tabs->currentWidget(), "SmallAccountBtn");
    before = m_tabs->count();
    clickTile(h5Bar, 0, 1);
    QWidget *h5Tab = waitForNewTab(before);
    QVERIFY(h5Tab);
    QCOMPARE(h5Tab->property("gameType").toString(), QStringLiteral("h5"));
    const QString newId = h5Tab->property("myProfileFlag").toString();
    QVERIFY(newId.toInt() > 10004);
    QCOMPARE(sqlite(QStringLiteral("select count(*),user_id,main_id from box_user where user_name='xhnew1'")),
             QStringLiteral("1|") + newId + QStringLiteral("|10001"));
    WebView *h5View = h5Tab->findChild<WebView *>(QStringLiteral("h5HostWebView"));

    // Each page reads its own account's cookies; the main account stays logged in.
    QTRY_VERIFY_WITH_TIMEOUT(runScript(mainView, cookieScript).contains(QStringLiteral("user_name=korvo;")), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(runScript(smallView, cookieScript).contains(QStringLiteral("user_name=korvo_xh1")), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(runScript(h5View, cookieScript).contains(QStringLiteral("user_name=xhnew1")), 15000);
    QVERIFY(!runScript(mainView, cookieScript).contains(QStringLiteral("xh")));
    QVERIFY(!runScript(smallView, cookieScript).contains(QStringLiteral("xhnew1")));
    QCOMPARE(m_frame->session()->identity().userName, QStringLiteral("korvo"));
    QVERIFY(m_frame->session()->isLoggedIn());
    // Closing the small accounts' tabs brings the main account's back, and its account with it.
    m_tabs->setCurrentWidget(smallTab);
    QCOMPARE(m_tabs->currentContext().profileFlag, QStringLiteral("10003"));
    m_tabs->closeTab(m_tabs->indexOf(smallTab));
    QCOMPARE(m_tabs->currentWidget()->property("myProfileFlag").toString(), QStringLiteral("default"));
    QCOMPARE(m_tabs->currentContext().profileFlag, QStringLiteral("default"));
    m_tabs->closeTabsButHome();
}

void TestSmallAccounts::managerPlaysDeletesAndRemoves()
{
    // A game tab whose side bar follows the manager.
    m_tabs->setCurrentIndex(0);
    QVERIFY(m_tabs->createHostTab(QStringLiteral("longcheng")));
    auto *sideTable = namedChild<QTableWidget>(m_tabs->currentWidget()->findChild<SmallLeftBarForm *>(),
                                          "smallBar_AccountListTable");
    QCOMPARE(sideTable->rowCount(), 2);

    m_frame->handlerSmallForm();
    QPointer<SmallAccountForm> manager = m_frame->findChild<SmallAccountForm *>();
    auto *combo = namedChild<QComboBox>(manager, "small_AccountListCombo");
    auto *table = namedChild<QTableWidget>(manager, "small_MainTable");
    // The portal keeps two servers collected for it.
    combo->setCurrentText(QStringLiteral("korvo_xh1"));
    QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 2, 15000);
    QVERIFY(table->item(0, 0)->text().startsWith(QStringLiteral("仙侠传说 ")));
    QVERIFY(table->isVisible());
    screenShot(QStringLiteral("manager-list"));

    // Play: a game-play tab in the account's own profile, whose page shows it.
    const int before = m_tabs->count();
    QTest::mouseClick(qobject_cast<QPushButton *>(table->cellWidget(0, 1)), Qt::LeftButton);
    QWidget *tab = waitForNewTab(before);
    QVERIFY(tab);
    QTRY_VERIFY_WITH_TIMEOUT(!manager, 5000);
    QCOMPARE(tab->property("myProfileFlag").toString(), QStringLiteral("10003"));
    WebView *view = tab->findChild<WebView *>(QStringLiteral("hostwebview"));
    QTRY_VERIFY_WITH_TIMEOUT(runScript(view, QStringLiteral("document.body ? document.body.innerText : ''"))
                                 .contains(QStringLiteral("korvo_xh1")), 15000);

    // Delete the collected server, after the confirmation.
    m_frame->handlerSmallForm();
    manager = m_frame->findChild<SmallAccountForm *>();
    table = namedChild<QTableWidget>(manager, "small_MainTable");
    namedChild<QComboBox>(manager, "small_AccountListCombo")->setCurrentText(QStringLiteral("korvo_xh1"));
    QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 2, 15000);
    QTest::mouseClick(qobject_cast<QPushButton *>(table->cellWidget(0, 2)), Qt::LeftButton);
    QCOMPARE(WindowChecks::takeNotice(manager), QStringLiteral("确定要删除么"));
    QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 1, 15000);
    QVERIFY(table->item(0, 0)->text().startsWith(QStringLiteral("三国战纪 ")));
    QVERIFY(m_portal->apiCalls(QStringLiteral("user_collection_delete")).size() == 1);

    // Remove the account from this computer: asked first; every side bar follows.
    QTest::mouseClick(namedChild<QPushButton>(manager, "small_DeleteAccountBtn"), Qt::LeftButton);
    QVERIFY(WindowChecks::takeNotice(manager).contains(QStringLiteral("korvo_xh1")));
    QTRY_COMPARE_WITH_TIMEOUT(namedChild<QComboBox>(manager, "small_AccountListCombo")->count(), 3, 5000);
    QCOMPARE(sqlite(QStringLiteral("select count(*) from box_user where user_name='korvo_xh1'")), QStringLiteral("0"));
    QCOMPARE(sideTable->cellWidget(0, 0)->property("user_name").toString(), QStringLiteral("xhnew1"));
    QVERIFY(!sideTable->cellWidget(0, 1) || sideTable->rowCount() == 1);
    manager->close();
}

void TestSmallAccounts::failedLoginsAndListsAreShown_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QJsonObject>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("login dropped") << "user_login" << QJsonObject{{QStringLiteral("drop"), 1}}
                                   << "网络异常,请稍后重试";
    QTest::newRow("password changed") << "user_login" << QJsonObject{{QStringLiteral("word"), QStringLiteral("password_error")}}
                                      << "密码错误!";
    QTest::newRow("login error page") << "user_login" << QJsonObject{{QStringLiteral("status"), 502}}
                                      << "网络异常,请稍后重试";
    QTest::newRow("list error page") << "user_collection" << QJsonObject{{QStringLiteral("status"), 500}}
                                     << "游戏收藏获取失败,请稍后重试";
    QTest::newRow("list unreadable") << "user_collection" << QJsonObject{{QStringLiteral("word"), QStringLiteral("params error")}}
                                     << "游戏收藏获取失败,请稍后重试";
}

// Where the user pressed something and would otherwise wait for nothing.
void TestSmallAccounts::failedLoginsAndListsAreShown()
{
    QFETCH(QString, endpoint);
    QFETCH(QJsonObject, fault);
    QFETCH(QString, message);
    QVERIFY(PortalFault::once(*m_portal, endpoint, fault));
    const int tabs = m_tabs->count();
    if (endpoint == QLatin1String("user_login")) {
        m_tabs->setCurrentIndex(0);
        QVERIFY(m_tabs->createHostTab(QStringLiteral("xianxia")));
        SmallLeftBarForm *bar = openSideBar(m_tabs->currentWidget(), "hostBar_SmallAccountBtn");
        clickTile(bar, 0, 0);
        QCOMPARE(WindowChecks::takeNotice(bar), message);
        QCOMPARE(m_tabs->count(), tabs + 1);
        QVERIFY(!bar->login()->isBusy());
    } else {
        m_frame->handlerSmallForm();
        QPointer<SmallAccountForm> manager = m_frame->findChild<SmallAccountForm *>();
        namedChild<QComboBox>(manager, "small_AccountListCombo")->setCurrentText(QStringLiteral("xhnew1"));
        QCOMPARE(WindowChecks::takeNotice(manager), message);
        manager->close();
    }
    m_tabs->closeTabsButHome();
}

// The registered account, never logged in yet, logs in through the login dialog.
void TestSmallAccounts::mainLoginOfARegisteredAccountKeepsItsRow()
{
    QCOMPARE(sqlite(QStringLiteral("select user_id from box_user where user_name='xhnew2'")), QStringLiteral("0"));
    LoginForm *login = m_frame->loginForm();
    namedChild<QComboBox>(login, "login_AccountTxt")->setEditText(QStringLiteral("xhnew2"));
    namedChild<QLineEdit>(login, "login_PasswordTxt")->setText(QStringLiteral("pass1234"));
    namedChild<QCheckBox>(login, "login_rememberCB")->setChecked(true);
    namedChild<QPushButton>(login, "login_LoginBtn")->click();
    QTRY_COMPARE_WITH_TIMEOUT(m_frame->session()->identity().userName, QStringLiteral("xhnew2"), 15000);
    const QString id = m_frame->session()->identity().userId;
    QCOMPARE(sqlite(QStringLiteral("select count(*),user_id,main_id,is_main,remember_me,length(user_pass) from box_user "
                                   "where user_name='xhnew2'")),
             QStringLiteral("1|") + id + QStringLiteral("|10001|1|1|32"));
}

QTEST_MAIN(TestSmallAccounts)
#include "tst_smallaccounts.moc"
