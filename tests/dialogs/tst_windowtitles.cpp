#include "app/appservices.h"
#include "dialogs/aboutform.h"
#include "dialogs/allsignform.h"
#include "dialogs/boxsettingform.h"
#include "dialogs/clearcacheform.h"
#include "dialogs/closesettingform.h"
#include "account/loginform.h"
#include "dialogs/resourceform.h"
#include "gametools/screenhostform.h"
#include "app/settings.h"
#include "net/session.h"
#include "web/webengineprofile.h"
#include "dialogs/signform.h"
#include "dialogs/skinform.h"
#include "gametools/smallaccountchooser.h"
#include "gametools/smallaccountform.h"
#include "gametools/smallaccountformadd.h"
#include "dialogs/tabresources.h"
#include "web/tabwidget.h"
#include "testsupport.h"
#include "dialogs/updateform.h"
#include "dialogs/vipform.h"

#include <QFrame>
#include <QLabel>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>

// Every window is listed by the desktop (window list, task switcher) under
// the title its own title strip shows.
class TestWindowTitles final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<Session> m_session;
    AppServices m_services;
    std::unique_ptr<TabWidget> m_tabs;
    TabResources *m_resources = nullptr;

    QWidget *makeWindow(const QString &name)
    {
        if (name == QLatin1String("AboutForm")) return new AboutForm;
        if (name == QLatin1String("AllSignForm")) return new AllSignForm(m_services, nullptr, nullptr, nullptr);
        if (name == QLatin1String("BoxSettingForm")) return new BoxSettingForm(m_settings.get(), nullptr);
        if (name == QLatin1String("ClearCacheForm")) return new ClearCacheForm;
        if (name == QLatin1String("CloseSettingForm")) return new CloseSettingForm(m_settings.get(), nullptr);
        if (name == QLatin1String("LoginForm")) return new LoginForm;
        if (name == QLatin1String("ResourceForm")) return new ResourceForm(m_resources);
        if (name == QLatin1String("ScreenhostForm")) return new ScreenhostForm(m_tabs.get());
        if (name == QLatin1String("SignForm")) return new SignForm(m_services, nullptr, nullptr);
        if (name == QLatin1String("SkinForm")) return new SkinForm(m_settings.get(), nullptr, nullptr);
        if (name == QLatin1String("SmallAccountChooser")) return new SmallAccountChooser({}, nullptr);
        if (name == QLatin1String("SmallAccountForm")) return new SmallAccountForm(m_tabs.get(), nullptr);
        if (name == QLatin1String("SmallAccountFormAdd")) return new SmallAccountFormAdd(m_tabs.get(), nullptr);
        if (name == QLatin1String("UpdateForm")) return new UpdateForm(m_settings.get(), nullptr);
        if (name == QLatin1String("VipForm")) return new VipForm(m_services, nullptr, nullptr);
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        m_dir = std::make_unique<TestAppDir>();
        m_settings = std::make_unique<Settings>();
        m_session = std::make_unique<Session>();
        m_services.settings = m_settings.get();
        m_services.session = m_session.get();
        m_services.profile = WebEngineProfile::profileFor(QStringLiteral("default"));
        m_tabs = std::make_unique<TabWidget>(m_services, nullptr);
        m_resources = new TabResources(m_tabs.get(), m_settings.get());
    }

    void titleIsTheTitleStrip_data()
    {
        QTest::addColumn<QString>("titleLabel");
        QTest::newRow("AboutForm") << QStringLiteral("TitleLabel");
        QTest::newRow("AllSignForm") << QStringLiteral("label");
        QTest::newRow("BoxSettingForm") << QStringLiteral("label");
        QTest::newRow("ClearCacheForm") << QStringLiteral("label");
        QTest::newRow("CloseSettingForm") << QStringLiteral("label");
        QTest::newRow("LoginForm") << QStringLiteral("login_TitleLabel");
        QTest::newRow("ResourceForm") << QStringLiteral("TitleLabel");
        QTest::newRow("ScreenhostForm") << QStringLiteral("label");
        QTest::newRow("SignForm") << QStringLiteral("label");
        QTest::newRow("SkinForm") << QStringLiteral("label");
        QTest::newRow("SmallAccountChooser") << QStringLiteral("label");
        QTest::newRow("SmallAccountForm") << QStringLiteral("small_TitleLabel");
        QTest::newRow("SmallAccountFormAdd") << QStringLiteral("label");
        QTest::newRow("UpdateForm") << QStringLiteral("label");
        QTest::newRow("VipForm") << QStringLiteral("label");
    }

    void titleIsTheTitleStrip()
    {
        QFETCH(QString, titleLabel);
        std::unique_ptr<QWidget> window(makeWindow(QString::fromLatin1(QTest::currentDataTag())));
        QVERIFY(window);
        // The window's own strip, not one of a window it owns.
        QList<QFrame *> strips = window->findChildren<QFrame *>(QRegularExpression(QStringLiteral("TitleFrame$")));
        strips.erase(std::remove_if(strips.begin(), strips.end(),
                                    [&window](QFrame *strip) { return strip->window() != window.get(); }),
                     strips.end());
        QCOMPARE(strips.size(), 1);
        auto *label = strips.first()->findChild<QLabel *>(titleLabel);
        QVERIFY(label);
        QVERIFY(!label->text().isEmpty());
        QCOMPARE(window->windowTitle(), label->text());
    }
};

QTEST_MAIN(TestWindowTitles)
#include "tst_windowtitles.moc"
