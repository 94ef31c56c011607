#include "web/hometoolbar.h"
#include "account/loginform.h"
#include "tabfixture.h"
#include "web/tabwidget.h"
#include "web/webview.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestHomeToolBar final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void sectionButtonsHighlightAndAsk_data();
    void sectionButtonsHighlightAndAsk();
    void selectNavButtonOnlyHighlights_data();
    void selectNavButtonOnlyHighlights();
    void linkButtonsNeedALogin_data();
    void linkButtonsNeedALogin();
    void linkButtonsOpenTheirPage_data();
    void linkButtonsOpenTheirPage();
    void hideAndCleanNeverAskForALogin();

private:
    QPushButton *button(const QString &name) const;
    // The one section button that carries a highlight, empty when none or several do.
    QString highlighted() const;

    TabFixture m_fixture;
    HomeToolBar *m_bar = nullptr;
};

const QStringList kSections = {QStringLiteral("homeBar_HomePageBtn"), QStringLiteral("homeBar_WebGameBtn"),
                               QStringLiteral("homeBar_MobileGameBtn"), QStringLiteral("homeBar_H5GameBtn")};

void TestHomeToolBar::initTestCase()
{
    QVERIFY2(m_fixture.start(), "the stand-in portal did not start");
    m_bar = m_fixture.tabs()->homeToolBar();
    QVERIFY(m_bar);
    QCOMPARE(highlighted(), QStringLiteral("homeBar_HomePageBtn"));
}

void TestHomeToolBar::init()
{
    m_fixture.logOut();
}

QPushButton *TestHomeToolBar::button(const QString &name) const
{
    return m_bar->findChild<QPushButton *>(name);
}

QString TestHomeToolBar::highlighted() const
{
    QStringList lit;
    for (const QString &name : kSections) {
        if (!button(name)->styleSheet().isEmpty())
            lit << name;
    }
    return lit.size() == 1 ? lit.first() : QString();
}

void TestHomeToolBar::sectionButtonsHighlightAndAsk_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("section");   // index in kSections and in the spies
    QTest::addColumn<QString>("icon");
    QTest::newRow("web") << "homeBar_WebGameBtn" << 1 << "icon-web-hover.png";
    QTest::newRow("mobile") << "homeBar_MobileGameBtn" << 2 << "icon-android-hover.png";
    QTest::newRow("h5") << "homeBar_H5GameBtn" << 3 << "icon-h5-hover.png";
    QTest::newRow("home") << "homeBar_HomePageBtn" << 0 << "icon-home-hover.png";
}

void TestHomeToolBar::sectionButtonsHighlightAndAsk()
{
    QFETCH(QString, name);
    QFETCH(int, section);
    QFETCH(QString, icon);
    QList<QSharedPointer<QSignalSpy>> spies = {
        QSharedPointer<QSignalSpy>::create(m_bar, &HomeToolBar::signalHomePage),
        QSharedPointer<QSignalSpy>::create(m_bar, &HomeToolBar::signalWebGame),
        QSharedPointer<QSignalSpy>::create(m_bar, &HomeToolBar::signalMobileGame),
        QSharedPointer<QSignalSpy>::create(m_bar, &HomeToolBar::signalH5Game)};
    QTest::mouseClick(button(name), Qt::LeftButton);
    for (int i = 0; i < spies.size(); ++i)
        QCOMPARE(spies.at(i)->count(), i == section ? 1 : 0);
    QCOMPARE(highlighted(), name);
    const QString style = button(name)->styleSheet();
    QVERIFY2(style.contains(icon), qPrintable(style));
    QVERIFY(style.contains(QLatin1String("border-bottom:2px solid #6dbe06;")));
    QVERIFY(style.contains(QLatin1String("/icons_Korvo/")));
}

void TestHomeToolBar::selectNavButtonOnlyHighlights_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("h5 section") << "homeBar_H5GameBtn" << "homeBar_H5GameBtn";
    QTest::newRow("not a section") << "homeBar_GiftBtn" << "homeBar_HomePageBtn";
    QTest::newRow("unknown") << "nothing" << "homeBar_HomePageBtn";
}

void TestHomeToolBar::selectNavButtonOnlyHighlights()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    m_bar->selectNavButton(QStringLiteral("homeBar_HomePageBtn"));
    QSignalSpy home(m_bar, &HomeToolBar::signalHomePage);
    QSignalSpy web(m_bar, &HomeToolBar::signalWebGame);
    QSignalSpy h5(m_bar, &HomeToolBar::signalH5Game);
    m_bar->selectNavButton(name);
    QCOMPARE(highlighted(), expected);
    QCOMPARE(home.count() + web.count() + h5.count(), 0);
    QCOMPARE(button(QStringLiteral("homeBar_GiftBtn"))->styleSheet(), QString());
}

void TestHomeToolBar::linkButtonsNeedALogin_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"homeBar_GiftBtn", "homeBar_MoneyBtn", "homeBar_ptbAddBtn", "homeBar_GetjfBtn",
                             "homeBar_EarBtn"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestHomeToolBar::linkButtonsNeedALogin()
{
    QFETCH(QString, name);
    QTest::mouseClick(button(name), Qt::LeftButton);
    QCOMPARE(m_fixture.tabs()->count(), 1);
    QVERIFY(m_fixture.loginForm()->isVisible());
}

void TestHomeToolBar::linkButtonsOpenTheirPage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("gift") << "homeBar_GiftBtn" << "/gift.php" << "礼包中心";
    QTest::newRow("recharge") << "homeBar_MoneyBtn" << "/pay-game.php" << "";
    QTest::newRow("add coins") << "homeBar_ptbAddBtn" << "/pay-game.php" << "";
    QTest::newRow("earn points") << "homeBar_GetjfBtn" << "/jfsc/earnPoint.php" << "赚积分";
    QTest::newRow("service") << "homeBar_EarBtn" << "/service.php" << "客服中心";
}

void TestHomeToolBar::linkButtonsOpenTheirPage()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    QFETCH(QString, title);
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
    TabWidget *tabs = m_fixture.tabs();
    QTest::mouseClick(button(name), Qt::LeftButton);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(!m_fixture.loginForm()->isVisible());
    WebView *view = TabFixture::view(tabs->currentWidget(), QStringLiteral("webotherview"));
    QVERIFY(view);
    QTRY_COMPARE_WITH_TIMEOUT(view->url(), QUrl(m_fixture.portalRoot() + path), 15000);
    if (!title.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(tabs->tabText(1), QStringLiteral("korvo|") + title, 15000);
}

void TestHomeToolBar::hideAndCleanNeverAskForALogin()
{
    QSignalSpy boss(m_bar, &HomeToolBar::signalBossKey);
    QSignalSpy clean(m_bar, &HomeToolBar::signalCleanCache);
    QSignalSpy small(m_bar, &HomeToolBar::signalSmallAccount);
    QTest::mouseClick(button(QStringLiteral("homeBar_EyeBtn")), Qt::LeftButton);
    QTest::mouseClick(button(QStringLiteral("homeBar_CleanBtn")), Qt::LeftButton);
    QTest::mouseClick(button(QStringLiteral("homeBar_SmallAccountBtn")), Qt::LeftButton);
    QCOMPARE(boss.count(), 1);
    QCOMPARE(clean.count(), 1);
    QCOMPARE(small.count(), 1);
    QVERIFY(!m_fixture.loginForm()->isVisible());
    QCOMPARE(m_fixture.tabs()->count(), 1);
}

QTEST_MAIN(TestHomeToolBar)
#include "tst_hometoolbar.moc"
