#include "app/apppaths.h"
#include "app/autostart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Where the client writes and where it finds what it only reads, for a
// portable copy and for an installed program (bin/ with share/korvo-gamebox/
// beside it). The read-only application directory is tst_readonlystorage's.
class TestAppPaths final : public QObject
{
    Q_OBJECT

private:
    static bool touch(const QString &path, const QByteArray &content = QByteArray())
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_bin;
    QString m_share;
    QString m_userData;

private slots:
    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        m_bin = m_root->filePath(QStringLiteral("bin"));
        m_share = m_root->filePath(QStringLiteral("share/korvo-gamebox"));
        QVERIFY(QDir().mkpath(m_bin));
        qputenv("XDG_DATA_HOME", m_root->filePath(QStringLiteral("home-data")).toUtf8());
        m_userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        AppPaths::setAppDir(m_bin);
    }

    void cleanup()
    {
        AppPaths::setAppDir(QString());
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        m_root.reset();
    }

    void dataAndAssetsFoundWhereTheyAre_data()
    {
        QTest::addColumn<bool>("installed");      // share/korvo-gamebox beside bin/, with the assets
        QTest::addColumn<bool>("besideAssets");   // the assets in bin/ too
        QTest::addColumn<bool>("userData");       // written to the user's data directory
        QTest::addColumn<bool>("installedAssets");// read from share/korvo-gamebox
        QTest::newRow("portable copy") << false << true << false << false;
        QTest::newRow("installed program, writable by its user (root, ~/.local)") << true << false << true << true;
        QTest::newRow("installed program with assets of its own beside it") << true << true << true << false;
        QTest::newRow("portable copy without its assets") << false << false << false << false;
    }

    void dataAndAssetsFoundWhereTheyAre()
    {
        QFETCH(bool, installed);
        QFETCH(bool, besideAssets);
        QFETCH(bool, userData);
        QFETCH(bool, installedAssets);
        const QStringList assets{QStringLiteral("style/Korvo/common.qss"), QStringLiteral("icons_Korvo/logo.png"),
                                 QStringLiteral("favicons/favicon_Korvo.png"), QStringLiteral("public_key_korvo.pem")};
        for (const QString &asset : assets) {
            if (installed)
                QVERIFY(touch(m_share + QLatin1Char('/') + asset));
            if (besideAssets)
                QVERIFY(touch(m_bin + QLatin1Char('/') + asset));
        }

        QCOMPARE(AppPaths::isInstalled(), installed);
        QCOMPARE(AppPaths::dataDir(), userData ? m_userData : m_bin);
        QCOMPARE(AppPaths::themesDir(), (userData ? m_userData : m_bin) + QStringLiteral("/themes/"));
        const QString assetDir = installedAssets ? m_share : m_bin;
        QCOMPARE(AppPaths::stylePath(QStringLiteral("common.qss")), assetDir + QStringLiteral("/style/Korvo/common.qss"));
        QCOMPARE(AppPaths::iconPath(QStringLiteral("logo.png")), assetDir + QStringLiteral("/icons_Korvo/logo.png"));
        QCOMPARE(AppPaths::faviconPath(), assetDir + QStringLiteral("/favicons/favicon_Korvo.png"));
        QCOMPARE(AppPaths::assetPath(QStringLiteral("public_key_korvo.pem")),
                 assetDir + QStringLiteral("/public_key_korvo.pem"));
    }

    // A style sheet read from the installed directory names the installed icons.
    void installedSheetNamesInstalledIcons()
    {
        QVERIFY(touch(m_share + QStringLiteral("/style/Korvo/common.qss"),
                      "QPushButton{image:url(icons_Korvo/logo.png);}"));
        QVERIFY(touch(m_share + QStringLiteral("/icons_Korvo/logo.png")));
        QCOMPARE(AppPaths::readStyleSheet(AppPaths::stylePath(QStringLiteral("common.qss"))),
                 QStringLiteral("QPushButton{image:url(%1/icons_Korvo/logo.png);}").arg(m_share));
    }

    // The entry that starts the client with the session: valid for the
    // desktop's own validator, with the command unquoted back to the program's
    // path however awkward, and the installed icon by its theme name.
    void autostartEntryIsValidForAnyPath_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("installed");
        QTest::newRow("portable copy") << "bin" << false;
        QTest::newRow("spaces, Chinese and shell characters") << "我的 游戏$盒 `a` \"b\" \\c 100%" << false;
        QTest::newRow("installed program") << "bin" << true;
    }

    void autostartEntryIsValidForAnyPath()
    {
        QFETCH(QString, folder);
        QFETCH(bool, installed);
        const QString bin = m_root->filePath(folder);
        QVERIFY(QDir().mkpath(bin));
        AppPaths::setAppDir(bin);
        if (installed)
            QVERIFY(QDir().mkpath(bin + QStringLiteral("/../share/korvo-gamebox")));
        qputenv("XDG_CONFIG_HOME", m_root->filePath(QStringLiteral("config")).toUtf8());
        AutoStart::setEnabled(true);
        const QString entry = AutoStart::desktopEntryPath();
        QVERIFY(QFile::exists(entry));

        if (!QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty()) {
            QProcess validate;
            validate.setProcessChannelMode(QProcess::MergedChannels);
            validate.start(QStringLiteral("desktop-file-validate"), {entry});
            QVERIFY(validate.waitForFinished(20000));
            QVERIFY2(validate.exitCode() == 0, validate.readAll().constData());
        }
        // What a desktop would run: the value's escapes, then the quoting.
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        const QString execLine = text.section(QStringLiteral("\nExec="), 1).section(QLatin1Char('\n'), 0, 0);
        QString unescaped = execLine;
        unescaped.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        QString argument;
        QVERIFY(unescaped.startsWith(QLatin1Char('"')) && unescaped.endsWith(QLatin1Char('"')));
        for (int i = 1; i < unescaped.size() - 1; ++i) {
            if (unescaped.at(i) == QLatin1Char('\\'))
                ++i;
            argument += unescaped.at(i);
        }
        argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
        QCOMPARE(argument, bin + QStringLiteral("/KorvoClient"));
        QString icon = text.section(QStringLiteral("\nIcon="), 1).section(QLatin1Char('\n'), 0, 0);
        icon.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        QCOMPARE(icon, installed ? AppPaths::applicationId() : AppPaths::iconPath(QStringLiteral("logo.png")));
        AutoStart::setEnabled(false);
        QVERIFY(!QFile::exists(entry));
    }
};

QTEST_GUILESS_MAIN(TestAppPaths)
#include "tst_apppaths.moc"
