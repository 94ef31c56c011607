#include "net/portal.h"
#include "standinportal.h"
#include "web/systembrowser.h"
#include "testsupport.h"
#include "app/settings.h"
#include "dialogs/updateform.h"

#include <QDesktopServices>
#include <QDir>
#include <QJsonDocument>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// Addresses handed to the desktop, as through the update window's "下载"
// against the stand-in portal: what the desktop cannot open or must not get
// is told to the user.
class TestSystemBrowser final : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the desktop's handler of the schemes a row names.
    void openedByDesktop(const QUrl &url) { m_opened << url; }

private:
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<StandInPortal> m_portal;
    QList<QUrl> m_opened;
    QTemporaryDir m_emptyPath;
    QByteArray m_savedPath;

    // The notice box over the window, its text selectable and never read as markup.
    static void verifyNotice(QMessageBox *box, const QString &notice)
    {
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->windowTitle(), QStringLiteral("提示"));
        QVERIFY2(box->text().endsWith(notice), qPrintable(box->text()));
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        screenShot(QStringLiteral("systembrowser-notice"));
        box->close();
    }

private slots:
    void initTestCase()
    {
        m_dir = std::make_unique<TestAppDir>();
        m_portal = std::make_unique<StandInPortal>(m_dir->path());
        QVERIFY(m_portal->start());
        QVERIFY(m_emptyPath.isValid());
        // A desktop without a browser: nothing on the path opens an address.
        m_savedPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_emptyPath.path()));
        qunsetenv("BROWSER");
        qunsetenv("DEFAULT_BROWSER");
    }

    void cleanupTestCase()
    {
        qputenv("PATH", m_savedPath);
        m_portal.reset();
    }

    void cleanup()
    {
        for (const char *scheme : {"http", "file"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        m_opened.clear();
        m_portal->control({{QStringLiteral("op"), QStringLiteral("reset")}});
    }

    void downloadTellsWhatDidNotOpen_data()
    {
        QTest::addColumn<QString>("downUrl");
        QTest::addColumn<QString>("handledScheme");
        QTest::addColumn<QString>("notice");
        const QString page = Portal::portalRoot() + QStringLiteral("/sy/download.php?from=update&version=1.5.2.0");
        QTest::newRow("no browser") << page << QString()
                                    << QStringLiteral("请复制地址到浏览器中打开：\n") + page;
        QTest::newRow("opened") << page << QStringLiteral("http") << QString();
    }

    void downloadTellsWhatDidNotOpen()
    {
        QFETCH(QString, downUrl);
        QFETCH(QString, handledScheme);
        QFETCH(QString, notice);
        const QJsonObject reply{{QStringLiteral("last_version"), QStringLiteral("1.5.2.0")},
                                {QStringLiteral("down_url"), downUrl}};
        m_portal->control({{QStringLiteral("op"), QStringLiteral("fault")},
                           {QStringLiteral("endpoint"), QStringLiteral("check_update")},
                           {QStringLiteral("word"), QString::fromUtf8(QJsonDocument(reply).toJson())}});
        if (!handledScheme.isEmpty())
            QDesktopServices::setUrlHandler(handledScheme, this, "openedByDesktop");
        Settings settings;
        UpdateForm form(&settings, nullptr);
        form.show();
        auto *button = form.findChild<QPushButton *>(QStringLiteral("CheckUpdatebutton"));
        QTRY_COMPARE_WITH_TIMEOUT(button->text(), QStringLiteral("下载"), 15000);
        QTest::mouseClick(button, Qt::LeftButton);

        auto *box = form.findChild<QMessageBox *>();
        QCOMPARE(box != nullptr, !notice.isEmpty());
        // Only what the rules let through reaches the desktop.
        QCOMPARE(m_opened, notice.isEmpty() ? QList<QUrl>{QUrl(downUrl)} : QList<QUrl>{});
        if (box)
            verifyNotice(box, notice);
    }

    void otherSchemesNeverReachTheDesktop()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openedByDesktop");
        QWidget window;
        window.show();
        QVERIFY(!SystemBrowser::open(&window, QUrl(QStringLiteral("file:///etc/passwd"))));
        QVERIFY(m_opened.isEmpty());
        verifyNotice(window.findChild<QMessageBox *>(), QStringLiteral("这个地址不能打开：\nfile:///etc/passwd"));
    }
};

QTEST_MAIN(TestSystemBrowser)
#include "tst_systembrowser.moc"
