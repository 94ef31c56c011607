// Sharing a screenshot of a game, as the host bar's button starts it: the
// picture as taken and kept, the comment as typed, a failed upload told and
// tried again, against the stand-in portal.
#include "account/loginform.h"
#include "gametools/screenhostform.h"
#include "gametools/screenshotshare.h"
#include "portalfault.h"
#include "tabfixture.h"
#include "web/tabwidget.h"
#include "web/webview.h"
#include "testsupport.h"
#include "windowchecks.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

class TestScreenshotShare final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void screenshotIsSharedWithTheCommentAsTyped();

private:
    TabFixture m_fixture;
    TabWidget *m_tabs = nullptr;
};

void TestScreenshotShare::initTestCase()
{
    QVERIFY2(m_fixture.start(), "the stand-in portal did not start");
    m_tabs = m_fixture.tabs();
    QVERIFY(m_fixture.logIn(QStringLiteral("korvo")));
}

void TestScreenshotShare::screenshotIsSharedWithTheCommentAsTyped()
{
    m_tabs->setCurrentIndex(0);
    WebView *view = m_tabs->createHostTab(QStringLiteral("xianxia"));
    QVERIFY(view);
    QSignalSpy loaded(view, &WebView::loadFinished);
    QTRY_VERIFY_WITH_TIMEOUT(loaded.count() > 0, 15000);
    QWidget *page = m_tabs->currentWidget();
    // Loaded is not yet drawn: the game shows before the picture is taken.
    QTRY_VERIFY_WITH_TIMEOUT(
        !ScreenshotShare::isBlank(page->grab(ScreenshotShare::captureRect(page->size())).toImage()), 15000);
    QTest::mouseClick(namedChild<QPushButton>(page, "hostBar_ScreeshotBtn"), Qt::LeftButton);
    ScreenhostForm *form = m_tabs->findChild<ScreenhostForm *>();
    QVERIFY(form && form->isVisible());
    const QString file = form->share()->filePath();
    QVERIFY(QFile::exists(file));
    QCOMPARE(QFile::permissions(file) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    const QImage picture(file);
    QCOMPARE(picture.size(), QSize(page->width() - 24, page->height() - 38));
    QVERIFY(!ScreenshotShare::isBlank(picture));

    auto *edit = namedChild<QTextEdit>(form, "DynamicEdit");
    edit->setPlainText(QString(150, QChar(0x597D)));
    QCOMPARE(edit->toPlainText().size(), 140);
    QCOMPARE(namedChild<QLabel>(form, "NumberLabel")->text(), QStringLiteral("140/140"));
    edit->setPlainText(QStringLiteral("a&b#c+d"));
    screenShot(QStringLiteral("share"));
    // A failed upload is told and keeps the picture for another try.
    QVERIFY(PortalFault::once(m_fixture.portal(), QStringLiteral("dynamic_upimg"), {{QStringLiteral("status"), 500}}));
    QTest::mouseClick(namedChild<QPushButton>(form, "sendButton"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(namedChild<QLabel>(form, "TipLabel")->text(), QStringLiteral("网络异常,请稍后重试"), 15000);
    QVERIFY(QFile::exists(file));
    QTest::mouseClick(namedChild<QPushButton>(form, "sendButton"), Qt::LeftButton);
    QCOMPARE(WindowChecks::takeNotice(form), QStringLiteral("发布成功！稍后将在动态中心展示！!"));
    QVERIFY(!form->isVisible());
    QVERIFY(edit->toPlainText().isEmpty());
    QVERIFY(!QFile::exists(file));
    const QJsonObject upload = m_fixture.portal().apiEntries(QStringLiteral("dynamic_upimg")).last();
    QCOMPARE(upload.value(QStringLiteral("method")).toString(), QStringLiteral("POST"));
    QCOMPARE(upload.value(QStringLiteral("files")).toObject().value(QStringLiteral("file")).toObject()
                 .value(QStringLiteral("filename")).toString(), QFileInfo(file).fileName());
    const QJsonObject publish = m_fixture.portal().apiCalls(QStringLiteral("public_dynamic")).last();
    QCOMPARE(publish.value(QStringLiteral("content")).toString(), QStringLiteral("a&b#c+d"));
    QCOMPARE(publish.value(QStringLiteral("account")).toString(), QStringLiteral("korvo"));
}

QTEST_MAIN(TestScreenshotShare)
#include "tst_screenshotshare.moc"
