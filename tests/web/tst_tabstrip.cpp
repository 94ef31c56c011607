#include "account/loginform.h"
#include "app/skinstyle.h"
#include "tabfixture.h"
#include "web/tabwidget.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

#include <cmath>

// The tab strip as a player meets it with many tabs open, in each skin.
class TestTabStrip final : public QObject
{
    Q_OBJECT

private:
    TabFixture m_fixture;

    TabWidget *tabs() { return m_fixture.tabs(); }
    QTabBar *bar() { return tabs()->tabBar(); }

    bool openTabs(int count)
    {
        while (tabs()->count() < count) {
            if (!tabs()->createWebTab(QUrl(m_fixture.portalRoot() + QStringLiteral("/news"))))
                return false;
        }
        return true;
    }

    // The skin as the skin window installs it: its sheet in themes/<name>/.
    static void applySkin(const QString &name)
    {
        if (!SkinStyle::isDefault(name)) {
            const QString dir = SkinStyle::directoryFor(name);
            QDir().mkpath(dir);
            QFile::copy(QStringLiteral(KORVO_SOURCE_DIR "/devportal/www/skins/") + name + QStringLiteral("/style.qss"),
                        dir + QStringLiteral("style.qss"));
        }
        qApp->setStyleSheet(SkinStyle::styleSheetFor(name));
    }

    static double luminance(QRgb pixel)
    {
        auto channel = [](int value) {
            const double c = value / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(pixel)) + 0.7152 * channel(qGreen(pixel)) + 0.0722 * channel(qBlue(pixel));
    }

    // Contrast of the button's most different pixel against its background.
    static double arrowContrast(const QImage &button, QRgb background)
    {
        const double back = luminance(background);
        double best = 1.0;
        for (int y = 0; y < button.height(); ++y) {
            for (int x = 0; x < button.width(); ++x) {
                const double here = luminance(button.pixel(x, y));
                best = std::max(best, (std::max(here, back) + 0.05) / (std::min(here, back) + 0.05));
            }
        }
        return best;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fixture.start(), "the stand-in portal did not start");
        QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
        applySkin(QStringLiteral("default"));
        // The tab manager of a 1280 x 730 main window.
        tabs()->resize(1276, 692);
        QVERIFY(QTest::qWaitForWindowExposed(tabs()));
    }

    void homeTabStaysInSightAndTabsKeepTheirPlaces()
    {
        QVERIFY(openTabs(8));
        QTRY_VERIFY(bar()->tabRect(7).right() < bar()->width());
        const QRect home = bar()->tabRect(0);
        QVERIFY(home.left() >= 0);
        const QPoint second = bar()->tabRect(1).center();

        QVERIFY(openTabs(9));
        QTRY_VERIFY(bar()->tabRect(8).right() < bar()->width());
        QCOMPARE(bar()->tabAt(home.center()), 0);
        // A click where the second tab was still lands on it.
        QCOMPARE(bar()->tabAt(second), 1);
        screenShot(QStringLiteral("tabstrip-nine"));
    }

    void scrollArrowsReadInEverySkin_data()
    {
        QTest::addColumn<QString>("skin");
        QTest::newRow("default") << QStringLiteral("default");
        QTest::newRow("red") << QStringLiteral("red");
        QTest::newRow("blue") << QStringLiteral("blue");
    }

    void scrollArrowsReadInEverySkin()
    {
        QFETCH(QString, skin);
        applySkin(skin);
        // Too narrow for nine tabs even at their narrowest: the strip scrolls.
        tabs()->resize(700, 692);
        QVERIFY(openTabs(9));
        tabs()->updateTabBarWidth(tabs()->count());
        auto *left = bar()->findChild<QToolButton *>(QStringLiteral("ScrollLeftButton"));
        QVERIFY(left);
        QTRY_VERIFY(left->isVisible() && left->isEnabled());
        const QImage image = left->grab().toImage();
        const QRgb background = image.pixel(image.width() / 2, 2);
        const double contrast = arrowContrast(image, background);
        QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("%1 on %2").arg(contrast).arg(QColor(background).name())));
        // No colour of the default title left behind the arrows of another skin.
        QVERIFY(QColor(background) != QColor(QStringLiteral("#1b6b58")));
        screenShot(QStringLiteral("tabstrip-arrows-") + skin);
    }
};

QTEST_MAIN(TestTabStrip)
#include "tst_tabstrip.moc"
